#pragma once

#include <QString>

namespace platform {
class SettingsStore;
}

namespace shell {

// The operator's settings: one section of the store, each key written by its control's own handler.
class Einstellungen {
public:
    static constexpr const char* kSection = "frm_Settings";

    explicit Einstellungen(platform::SettingsStore& store) : m_store(store) {}

    QString text(const QString& key, const QString& fallback) const;
    // The stored whole number, or the fallback when the text is not a whole number within [min, max]: a
    // hand-edited or damaged store must not stop the program from starting.
    int wholeNumber(const QString& key, int fallback, int min, int max) const;
    void write(const QString& key, const QString& value);
    void write(const QString& key, int value) { write(key, QString::number(value)); }

    platform::SettingsStore& store() const { return m_store; }

private:
    platform::SettingsStore& m_store;
};

} // namespace shell
