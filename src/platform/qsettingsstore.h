#pragma once

#include "settingsstore.h"

#include <QSettings>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

// SettingsStore on QSettings: on Linux the file $XDG_CONFIG_HOME/Gramura/Gramura.conf, on Windows the
// registry key HKCU\Software\VB and VBA Program Settings\Gramura, where earlier installations kept theirs.
// Beneath the operator's own store lie the administrator's defaults for every station of a roll-out: on
// Linux Gramura/Gramura.conf in each folder of $XDG_CONFIG_DIRS (default /etc/xdg), the first that holds a
// key winning, on Windows HKLM\Software\Gramura in the registry's 64-bit view, then in its 32-bit view. A
// key the operator's store holds, even empty, counts over them; writes go to the operator's store only.
class QSettingsStore final : public SettingsStore {
public:
    // The operator's own store in the platform's usual place, over the system-wide defaults.
    static std::unique_ptr<QSettingsStore> forCurrentUser();
    // An INI file at the given path (tests, portable use), without system-wide defaults.
    explicit QSettingsStore(const QString& iniPath);
    ~QSettingsStore() override;

    QString read(const QString& section, const QString& key, const QString& fallback) const override;
    void write(const QString& section, const QString& key, const QString& value) override;

    QString location() const { return m_settings->fileName(); }
    // Where the system-wide defaults are looked for, in the order they count.
    QStringList systemLocations() const;

private:
    explicit QSettingsStore(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> m_settings;
    std::vector<std::unique_ptr<QSettings>> m_system;
};

} // namespace platform
