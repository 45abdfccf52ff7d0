#include "passwortdatei.h"

#include "zentraleadresse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace zentrale {

namespace {

// The first four fields of a line, unescaped, and which of them is "*"; none for comments and lines libpq
// passes over.
struct Felder {
    QStringList werte;
    QList<bool> beliebig;
};

std::optional<Felder> felderLesen(QString zeile) {
    if (zeile.endsWith(u'\r'))
        zeile.chop(1);
    if (zeile.isEmpty() || zeile.startsWith(u'#'))
        return std::nullopt;
    Felder f;
    QString wert;
    bool maskiert = false;
    for (qsizetype i = 0; i < zeile.size() && f.werte.size() < 4; ++i) {
        const QChar c = zeile[i];
        if (c == u'\\' && i + 1 < zeile.size()) {
            wert += zeile[++i];
            maskiert = true;
        } else if (c == u':') {
            f.beliebig << (!maskiert && wert == QStringLiteral("*"));
            f.werte << wert;
            wert.clear();
            maskiert = false;
        } else {
            wert += c;
        }
    }
    if (f.werte.size() < 4)
        return std::nullopt;
    return f;
}

QStringList werteVon(const PasswortDatei::Schluessel& s) {
    return {s.host, s.port, s.datenbank, s.benutzer};
}

bool gleich(const Felder& f, const PasswortDatei::Schluessel& s) {
    return !f.beliebig.contains(true) && f.werte == werteVon(s);
}

bool passt(const Felder& f, const PasswortDatei::Schluessel& s) {
    const QStringList werte = werteVon(s);
    for (int i = 0; i < 4; ++i)
        if (!f.beliebig[i] && f.werte[i] != werte[i])
            return false;
    return true;
}

QString umgebung(const char* name, const QString& sonst) {
    const QString wert = qEnvironmentVariable(name);
    return wert.isEmpty() ? sonst : wert;
}

} // namespace

QString PasswortDatei::feld(const QString& wert) {
    QString aus = wert;
    aus.replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:"));
    return aus;
}

QString PasswortDatei::zeile(const Schluessel& s, const QString& passwort) {
    return QStringList{feld(s.host), feld(s.port), feld(s.datenbank), feld(s.benutzer), feld(passwort)}.join(u':');
}

QList<PasswortDatei::Schluessel> PasswortDatei::schluesselFuer(const ZentraleAdresse& adresse) {
    // What the text leaves open, libpq takes from its variables, then from its defaults.
    QString benutzer = adresse.wert(QStringLiteral("user"));
    if (benutzer.isEmpty())
        benutzer = qEnvironmentVariable("PGUSER");
    if (benutzer.isEmpty())
        return {};
    QString dbname = adresse.wert(QStringLiteral("dbname"));
    if (dbname.isEmpty())
        dbname = umgebung("PGDATABASE", benutzer);
    // libpq names the server in the file by its host, else by its address.
    QString hostText = adresse.wert(QStringLiteral("host"));
    if (hostText.isEmpty())
        hostText = adresse.wert(QStringLiteral("hostaddr"));
    const QStringList hosts = hostText.split(u',');
    const QStringList ports = adresse.wert(QStringLiteral("port")).split(u',');
    QList<Schluessel> liste;
    for (qsizetype i = 0; i < hosts.size(); ++i) {
        QString port = ports.size() == 1 ? ports.first() : ports.value(i);
        if (port.isEmpty())
            port = umgebung("PGPORT", QStringLiteral("5432"));
        const Schluessel s{hosts[i].isEmpty() ? QStringLiteral("localhost") : hosts[i], port, dbname, benutzer};
        if (!liste.contains(s))
            liste << s;
    }
    return liste;
}

bool PasswortDatei::eintragen(const QList<Schluessel>& fuer, const QString& passwort, QString* fehler) const {
    const auto zeilenumbruch = [](const QString& t) { return t.contains(u'\n') || t.contains(u'\r'); };
    bool umbruch = zeilenumbruch(passwort);
    for (const Schluessel& s : fuer)
        umbruch = umbruch || zeilenumbruch(s.host) || zeilenumbruch(s.port) || zeilenumbruch(s.datenbank) ||
                  zeilenumbruch(s.benutzer);
    if (umbruch) {
        *fehler = QStringLiteral("Ein Zeilenumbruch in Passwort, Server, Datenbank oder Benutzer kann in der "
                                 "Passwortdatei nicht stehen.");
        return false;
    }
    const QString ort = QDir::toNativeSeparators(m_pfad);
    QStringList zeilen;
    QFile alt(m_pfad);
    if (alt.exists()) {
        if (!alt.open(QIODevice::ReadOnly)) {
            *fehler =
                QStringLiteral("Die Passwortdatei „%1“ kann nicht gelesen werden: %2").arg(ort, alt.errorString());
            return false;
        }
        zeilen = QString::fromUtf8(alt.readAll()).split(u'\n');
        if (!zeilen.isEmpty() && zeilen.last().isEmpty())
            zeilen.removeLast();
        alt.close();
    }
    for (const Schluessel& s : fuer) {
        QStringList neu;
        qsizetype stelle = -1;
        for (const QString& z : zeilen) {
            const auto f = felderLesen(z);
            if (f && gleich(*f, s)) {
                // The old password goes; the new one takes the place of the first line for this server.
                if (stelle < 0)
                    stelle = neu.size();
                continue;
            }
            if (f && stelle < 0 && passt(*f, s))
                stelle = neu.size();
            neu << z;
        }
        neu.insert(stelle < 0 ? neu.size() : stelle, zeile(s, passwort));
        zeilen = neu;
    }
    QDir().mkpath(QFileInfo(m_pfad).absolutePath());
    QSaveFile datei(m_pfad);
    if (!datei.open(QIODevice::WriteOnly) || !datei.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        datei.write((zeilen.join(u'\n') + u'\n').toUtf8()) < 0 || !datei.commit()) {
        *fehler =
            QStringLiteral("Die Passwortdatei „%1“ kann nicht geschrieben werden: %2").arg(ort, datei.errorString());
        return false;
    }
    return true;
}

} // namespace zentrale
