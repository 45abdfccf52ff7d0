#include "dateiwechsel.h"

#include "dateiaufruf.h"

namespace platform {

Dateiwechsel::Dateiwechsel(Geduld geduld) : m_geduld(std::move(geduld)) {}

bool Dateiwechsel::ausfuehren(const std::function<Versuch()>& versuch) {
    const Versuch ergebnis = m_geduld.wiederholen(versuch);
    m_fehler = ergebnis.fehler == 0 ? QString() : dateiaufruf::meldung(ergebnis.fehler);
    return ergebnis.fehler == 0;
}

bool Dateiwechsel::umbenennen(const QString& von, const QString& nach) {
    return ausfuehren([&] { return dateiaufruf::umbenennen(von, nach); });
}

bool Dateiwechsel::entfernen(const QString& pfad) {
    return ausfuehren([&] { return dateiaufruf::entfernen(pfad); });
}

bool Dateiwechsel::sichern(const QString& pfad) {
    return ausfuehren([&] { return dateiaufruf::sichern(pfad); });
}

bool Dateiwechsel::ordnerSichern(const QString& ordner) {
    return ausfuehren([&] { return dateiaufruf::ordnerSichern(ordner); });
}

} // namespace platform
