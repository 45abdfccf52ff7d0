#include "einstellungen.h"

#include "platform/settingsstore.h"

namespace shell {

QString Einstellungen::text(const QString& key, const QString& fallback) const {
    return m_store.read(QLatin1String(kSection), key, fallback);
}

int Einstellungen::wholeNumber(const QString& key, int fallback, int min, int max) const {
    bool ok = false;
    const int value = text(key, QString::number(fallback)).trimmed().toInt(&ok);
    if (!ok || value < min || value > max)
        return fallback;
    return value;
}

void Einstellungen::write(const QString& key, const QString& value) {
    m_store.write(QLatin1String(kSection), key, value);
}

} // namespace shell
