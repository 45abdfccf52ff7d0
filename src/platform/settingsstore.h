#pragma once

#include <QString>

namespace platform {

// The per-user store of the operator's settings: text values addressed by section and key within the
// application "Gramura". A key that holds nothing yields the default the reader passes in.
class SettingsStore {
public:
    SettingsStore() = default;
    virtual ~SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    virtual QString read(const QString& section, const QString& key, const QString& fallback) const = 0;
    // Replaces any earlier value of the key. Written through to disk at once: there is no central save.
    virtual void write(const QString& section, const QString& key, const QString& value) = 0;
};

} // namespace platform
