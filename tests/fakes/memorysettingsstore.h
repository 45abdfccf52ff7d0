#pragma once

#include "platform/settingsstore.h"

#include <QMap>
#include <QStringList>

// A settings store in memory that also remembers every write in order.
class MemorySettingsStore final : public platform::SettingsStore {
public:
    QString read(const QString& section, const QString& key, const QString& fallback) const override;
    void write(const QString& section, const QString& key, const QString& value) override;

    void put(const QString& section, const QString& key, const QString& value) {
        m_values[section + '/' + key] = value;
    }
    bool contains(const QString& section, const QString& key) const { return m_values.contains(section + '/' + key); }
    QMap<QString, QString> values() const { return m_values; }
    // "section/key=value" for each write, oldest first.
    QStringList writes;

private:
    QMap<QString, QString> m_values;
};
