#include "zentraleangaben.h"

#include "zentraleadresse.h"

namespace zentrale {

namespace {
const auto kHost = QStringLiteral("host");
const auto kPort = QStringLiteral("port");
const auto kDbname = QStringLiteral("dbname");
const auto kUser = QStringLiteral("user");
const auto kSslmode = QStringLiteral("sslmode");
const auto kSslrootcert = QStringLiteral("sslrootcert");
const auto kPassword = QStringLiteral("password");

bool braucheHochkommas(const QString& v) {
    if (v.isEmpty())
        return true;
    for (const QChar c : v)
        // libpq's blanks (isspace), the quote and the escape.
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\'' || c == u'\\')
            return true;
    return false;
}
} // namespace

QString ZentraleAngaben::wert(const QString& v) {
    if (!braucheHochkommas(v))
        return v;
    QString innen = v;
    innen.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + innen + u'\'';
}

ZentraleAngaben ZentraleAngaben::aus(const ZentraleAdresse& adresse) {
    ZentraleAngaben a;
    a.host = adresse.wert(kHost);
    a.port = adresse.wert(kPort);
    a.datenbank = adresse.wert(kDbname);
    a.benutzer = adresse.wert(kUser);
    a.sslmode = adresse.wert(kSslmode);
    a.sslrootcert = adresse.wert(kSslrootcert);
    a.passwort = adresse.wert(kPassword);
    const QStringList eigene{kHost, kPort, kDbname, kUser, kSslmode, kSslrootcert, kPassword};
    for (const auto& paar : adresse.parameter())
        if (!eigene.contains(paar.first))
            a.weitere << paar;
    return a;
}

bool ZentraleAngaben::leer() const {
    return host.isEmpty() && port.isEmpty() && datenbank.isEmpty() && benutzer.isEmpty() && weitere.isEmpty();
}

QString ZentraleAngaben::text(const QString& mitPasswort) const {
    QStringList teile;
    const auto dazu = [&teile](const QString& k, const QString& v) {
        if (!v.isEmpty())
            teile << k + u'=' + wert(v);
    };
    dazu(kHost, host);
    dazu(kPort, port);
    dazu(kDbname, datenbank);
    dazu(kUser, benutzer);
    dazu(kSslmode, sslmode);
    dazu(kSslrootcert, sslrootcert);
    for (const auto& [k, v] : weitere)
        teile << k + u'=' + wert(v);
    dazu(kPassword, mitPasswort);
    return teile.join(u' ');
}

} // namespace zentrale
