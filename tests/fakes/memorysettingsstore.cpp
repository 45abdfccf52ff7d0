#include "memorysettingsstore.h"

QString MemorySettingsStore::read(const QString& section, const QString& key, const QString& fallback) const {
    return m_values.value(section + '/' + key, fallback);
}

void MemorySettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_values[section + '/' + key] = value;
    writes << section + '/' + key + '=' + value;
}
