#pragma once

#include "settingsstore.h"

#include <QSettings>
#include <memory>

namespace platform {

// SettingsStore on QSettings: on Linux the file $XDG_CONFIG_HOME/Gramura/Gramura.conf, on Windows the
// registry key HKCU\Software\VB and VBA Program Settings\Gramura, where earlier installations kept theirs.
class QSettingsStore final : public SettingsStore {
public:
    // The operator's own store in the platform's usual place.
    static std::unique_ptr<QSettingsStore> forCurrentUser();
    // An INI file at the given path (tests, portable use).
    explicit QSettingsStore(const QString& iniPath);

    QString read(const QString& section, const QString& key, const QString& fallback) const override;
    void write(const QString& section, const QString& key, const QString& value) override;

    QString location() const { return m_settings->fileName(); }

private:
    explicit QSettingsStore(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
