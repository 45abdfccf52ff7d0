#include "zentraleadresse.h"

#include <QUrl>
#include <algorithm>

namespace recording {

namespace {

bool istUri(const QString& text) {
    return text.startsWith(QStringLiteral("postgresql://")) || text.startsWith(QStringLiteral("postgres://"));
}

QString dekodiert(const QString& teil) {
    return QUrl::fromPercentEncoding(teil.toUtf8());
}

// key = value pairs separated by blanks; a value in single quotes may hold blanks, \' and \\.
bool paareLesen(const QString& text, QList<QPair<QString, QString>>* paare, QString* fehler) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto blanks = [&] {
        while (i < n && text[i].isSpace())
            ++i;
    };
    for (;;) {
        blanks();
        if (i >= n)
            return true;
        const qsizetype start = i;
        while (i < n && text[i] != u'=' && !text[i].isSpace())
            ++i;
        const QString schluessel = text.mid(start, i - start);
        blanks();
        if (i >= n || text[i] != u'=') {
            *fehler = QStringLiteral("nach „%1“ fehlt ein „=“").arg(schluessel);
            return false;
        }
        ++i;
        blanks();
        QString wert;
        if (i < n && text[i] == u'\'') {
            ++i;
            bool zu = false;
            while (i < n && !zu) {
                if (text[i] == u'\\' && i + 1 < n) {
                    wert += text[i + 1];
                    i += 2;
                } else if (text[i] == u'\'') {
                    zu = true;
                    ++i;
                } else {
                    wert += text[i++];
                }
            }
            if (!zu) {
                *fehler = QStringLiteral("der Wert von „%1“ hat kein schließendes Hochkomma").arg(schluessel);
                return false;
            }
        } else {
            while (i < n && !text[i].isSpace()) {
                if (text[i] == u'\\' && i + 1 < n)
                    ++i;
                wert += text[i++];
            }
        }
        paare->append({schluessel, wert});
    }
}

bool uriLesen(const QString& text, QList<QPair<QString, QString>>* paare, QString* fehler) {
    QString rest = text.mid(text.indexOf(QStringLiteral("://")) + 3);
    QString abfrage;
    if (const qsizetype frage = rest.indexOf(u'?'); frage >= 0) {
        abfrage = rest.mid(frage + 1);
        rest.truncate(frage);
    }
    QString datenbank;
    if (const qsizetype strich = rest.indexOf(u'/'); strich >= 0) {
        datenbank = rest.mid(strich + 1);
        rest.truncate(strich);
    }
    // The password may itself hold "@" once encoded as %40; the last "@" ends the user part.
    if (const qsizetype at = rest.lastIndexOf(u'@'); at >= 0) {
        const QString nutzer = rest.left(at);
        rest = rest.mid(at + 1);
        const qsizetype doppelpunkt = nutzer.indexOf(u':');
        paare->append({QStringLiteral("user"), dekodiert(nutzer.left(doppelpunkt))});
        if (doppelpunkt >= 0)
            paare->append({QStringLiteral("password"), dekodiert(nutzer.mid(doppelpunkt + 1))});
    }
    // Hosts, each with an optional port; an IPv6 address stands in brackets.
    QStringList hosts;
    QStringList ports;
    for (const QString& teil : rest.split(u',', Qt::SkipEmptyParts)) {
        QString host = teil;
        QString port;
        const qsizetype klammer = teil.lastIndexOf(u']');
        const qsizetype doppelpunkt = teil.lastIndexOf(u':');
        if (doppelpunkt > klammer) {
            host = teil.left(doppelpunkt);
            port = teil.mid(doppelpunkt + 1);
        }
        if (host.startsWith(u'[') && host.endsWith(u']'))
            host = host.mid(1, host.size() - 2);
        hosts << dekodiert(host);
        ports << port;
    }
    if (!hosts.isEmpty())
        paare->append({QStringLiteral("host"), hosts.join(u',')});
    if (std::any_of(ports.cbegin(), ports.cend(), [](const QString& p) { return !p.isEmpty(); }))
        paare->append({QStringLiteral("port"), ports.join(u',')});
    if (!datenbank.isEmpty())
        paare->append({QStringLiteral("dbname"), dekodiert(datenbank)});
    for (const QString& paar : abfrage.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype gleich = paar.indexOf(u'=');
        if (gleich <= 0) {
            *fehler = QStringLiteral("der URI-Parameter „%1“ hat keinen Wert").arg(dekodiert(paar));
            return false;
        }
        paare->append({dekodiert(paar.left(gleich)), dekodiert(paar.mid(gleich + 1))});
    }
    return true;
}

} // namespace

std::optional<ZentraleAdresse> ZentraleAdresse::lesen(const QString& text, QString* fehler) {
    ZentraleAdresse adresse;
    QString grund;
    const QString getrimmt = text.trimmed();
    const bool gelesen = istUri(getrimmt) ? uriLesen(getrimmt, &adresse.m_parameter, &grund)
                                          : paareLesen(getrimmt, &adresse.m_parameter, &grund);
    if (gelesen && adresse.m_parameter.isEmpty())
        grund = QStringLiteral("es ist kein Server angegeben");
    if (!gelesen || adresse.m_parameter.isEmpty()) {
        if (fehler)
            *fehler = QStringLiteral("Die Angabe zur Zentrale ist unvollständig: %1.").arg(grund);
        return std::nullopt;
    }
    return adresse;
}

QString ZentraleAdresse::wert(const QString& schluessel) const {
    QString gefunden;
    // As libpq: a key given twice counts with its last value.
    for (const auto& [k, v] : m_parameter)
        if (k == schluessel)
            gefunden = v;
    return gefunden;
}

QString ZentraleAdresse::serverSchluessel() const {
    const QString host =
        wert(QStringLiteral("host")).isEmpty() ? QStringLiteral("localhost") : wert(QStringLiteral("host"));
    const QString port = wert(QStringLiteral("port")).isEmpty() ? QStringLiteral("5432") : wert(QStringLiteral("port"));
    const QString db =
        wert(QStringLiteral("dbname")).isEmpty() ? wert(QStringLiteral("user")) : wert(QStringLiteral("dbname"));
    return QStringLiteral("%1:%2/%3").arg(host, port, db);
}

QString ZentraleAdresse::anzeige() const {
    const QString host =
        wert(QStringLiteral("host")).isEmpty() ? QStringLiteral("localhost") : wert(QStringLiteral("host"));
    const QString port = wert(QStringLiteral("port"));
    const QString db = wert(QStringLiteral("dbname"));
    const QString ort = port.isEmpty() ? host : host + u':' + port;
    return db.isEmpty() ? ort : QStringLiteral("%1 auf %2").arg(db, ort);
}

QString ZentraleAdresse::ohnePasswort(QString text) const {
    const QString passwort = wert(QStringLiteral("password"));
    if (!passwort.isEmpty())
        text.replace(passwort, QStringLiteral("********"));
    return text;
}

} // namespace recording
