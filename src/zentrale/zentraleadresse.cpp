#include "zentraleadresse.h"

#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace zentrale {

namespace {

const auto kMaske = QStringLiteral("********");
// Two characters of a password say little and occur in many words; from three on a piece is hidden.
constexpr qsizetype kKleinsterTeil = 3;

// libpq's parameters up to PostgreSQL 18. Any other word in the text cannot be meant for the server; most
// often it is the rest of a password that held a blank or an "&", so it is never repeated.
const QStringList& bekannteSchluessel() {
    static const QStringList liste =
        QStringLiteral(
            "service user password passfile channel_binding connect_timeout dbname host hostaddr port client_encoding "
            "options application_name fallback_application_name keepalives keepalives_idle keepalives_interval "
            "keepalives_count tcp_user_timeout sslmode sslnegotiation sslcompression sslcert sslkey sslkeylogfile "
            "sslcertmode sslpassword sslrootcert sslcrl sslcrldir sslsni requirepeer require_auth min_protocol_version "
            "max_protocol_version ssl_min_protocol_version ssl_max_protocol_version gssencmode krbsrvname gsslib "
            "gssdelegation replication target_session_attrs load_balance_hosts oauth_issuer oauth_client_id "
            "oauth_client_secret oauth_scope")
            .split(u' ');
    return liste;
}

// What libpq counts as a blank (isspace in the C locale): a no-break space belongs to the value.
bool istLeer(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

bool nurZiffern(const QString& ports) {
    return std::all_of(ports.cbegin(), ports.cend(), [](QChar c) { return c == u',' || (c >= u'0' && c <= u'9'); });
}

int hexWert(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Strict as libpq: a "%" not followed by two hex digits, or one that stands for NUL, makes the text unreadable.
// The bytes must be UTF-8, which is what the driver hands on.
std::optional<QString> dekodiert(QStringView teil) {
    const QByteArray roh = teil.toUtf8();
    QByteArray bytes;
    bytes.reserve(roh.size());
    for (qsizetype i = 0; i < roh.size(); ++i) {
        if (roh[i] != '%') {
            bytes += roh[i];
            continue;
        }
        const int hoch = i + 2 < roh.size() ? hexWert(roh[i + 1]) : -1;
        const int tief = hoch >= 0 ? hexWert(roh[i + 2]) : -1;
        if (tief < 0 || (hoch == 0 && tief == 0))
            return std::nullopt;
        bytes += char(hoch * 16 + tief);
        i += 2;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString prozentKodiert(const QString& wert, bool klein) {
    static const char* const ziffernGross = "0123456789ABCDEF";
    static const char* const ziffernKlein = "0123456789abcdef";
    const char* ziffern = klein ? ziffernKlein : ziffernGross;
    QString aus;
    for (const char c : wert.toUtf8()) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~') {
            aus += QChar(b);
        } else {
            aus += u'%';
            aus += QChar(ziffern[b >> 4]);
            aus += QChar(ziffern[b & 15]);
        }
    }
    return aus;
}

// The reader's result while it goes: the parameters, each secret as written, or why the text is refused.
struct Leser {
    QList<QPair<QString, QString>> paare;
    QStringList geheimGeschrieben;
    QString grund;

    bool ablehnen(const QString& warum) {
        grund = warum;
        return false;
    }
    void dazu(const QString& schluessel, const QString& wert, const QString& geschrieben) {
        paare.append({schluessel, wert});
        if (ZentraleAdresse::istGeheim(schluessel))
            geheimGeschrieben << geschrieben;
    }
};

// key = value pairs separated by blanks; a value in single quotes may hold blanks, \' and \\.
bool paareLesen(const QString& text, Leser& leser) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    int eintrag = 0;
    auto blanks = [&] {
        while (i < n && istLeer(text[i]))
            ++i;
    };
    for (;;) {
        blanks();
        if (i >= n)
            return true;
        ++eintrag;
        const qsizetype start = i;
        while (i < n && text[i] != u'=' && !istLeer(text[i]))
            ++i;
        const QString schluessel = text.mid(start, i - start);
        blanks();
        if (i >= n || text[i] != u'=')
            return leser.ablehnen(QStringLiteral("dem %1. Eintrag fehlt das „=“ (ein Wert mit Leerzeichen gehört in "
                                                 "Hochkommas: password='…')")
                                      .arg(eintrag));
        if (schluessel.isEmpty())
            return leser.ablehnen(QStringLiteral("dem %1. Eintrag fehlt der Name vor dem „=“").arg(eintrag));
        if (!bekannteSchluessel().contains(schluessel))
            return leser.ablehnen(QStringLiteral("der %1. Eintrag nennt keinen Parameter, den libpq kennt (ein Wert "
                                                 "mit Leerzeichen gehört in Hochkommas: password='…')")
                                      .arg(eintrag));
        ++i;
        blanks();
        QString wert;
        qsizetype wertAnfang = i;
        qsizetype wertEnde = i;
        if (i < n && text[i] == u'\'') {
            wertAnfang = ++i;
            bool zu = false;
            while (i < n && !zu) {
                if (text[i] == u'\\' && i + 1 < n) {
                    wert += text[i + 1];
                    i += 2;
                } else if (text[i] == u'\'') {
                    wertEnde = i++;
                    zu = true;
                } else {
                    wert += text[i++];
                }
            }
            if (!zu)
                return leser.ablehnen(
                    QStringLiteral("der Wert von „%1“ hat kein schließendes Hochkomma").arg(schluessel));
        } else {
            while (i < n && !istLeer(text[i])) {
                // As libpq: a backslash takes the next character as it is; one at the very end is dropped.
                if (text[i] == u'\\' && ++i >= n)
                    break;
                wert += text[i++];
            }
            wertEnde = i;
        }
        if (schluessel == QStringLiteral("port") && !nurZiffern(wert))
            return leser.ablehnen(QStringLiteral("die Portnummer ist keine Zahl"));
        leser.dazu(schluessel, wert, text.mid(wertAnfang, wertEnde - wertAnfang));
    }
}

const auto kTeilUngueltig = QStringLiteral("in der URI steht ein „%“, dem keine zwei Hex-Ziffern folgen, eines für "
                                           "NUL oder eines, das kein UTF-8 ergibt");

bool abfrageLesen(const QString& abfrage, Leser& leser) {
    int nummer = 0;
    for (const QString& paar : abfrage.split(u'&', Qt::SkipEmptyParts)) {
        ++nummer;
        const qsizetype gleich = paar.indexOf(u'=');
        if (gleich < 0)
            return leser.ablehnen(QStringLiteral("dem %1. URI-Parameter fehlt das „=“ (ein „&“ im Passwort ist als "
                                                 "%26 zu schreiben)")
                                      .arg(nummer));
        if (paar.indexOf(u'=', gleich + 1) >= 0)
            return leser.ablehnen(QStringLiteral("der %1. URI-Parameter hat mehr als ein „=“ (im Wert als %3D zu "
                                                 "schreiben)")
                                      .arg(nummer));
        const auto schluessel = dekodiert(QStringView(paar).left(gleich));
        const auto wert = dekodiert(QStringView(paar).mid(gleich + 1));
        if (!schluessel || !wert)
            return leser.ablehnen(kTeilUngueltig);
        // libpq takes this spelling of other drivers' URIs, and only with "true".
        if (*schluessel == QStringLiteral("ssl")) {
            if (*wert != QStringLiteral("true"))
                return leser.ablehnen(QStringLiteral("„ssl“ kennt nur den Wert „true“"));
            leser.dazu(QStringLiteral("sslmode"), QStringLiteral("require"), QString());
            continue;
        }
        if (!bekannteSchluessel().contains(*schluessel))
            return leser.ablehnen(
                QStringLiteral("der %1. URI-Parameter ist keiner, den libpq kennt (ein „&“ im Passwort ist als %26 "
                               "zu schreiben)")
                    .arg(nummer));
        leser.dazu(*schluessel, *wert, paar.mid(gleich + 1));
    }
    return true;
}

// postgresql://[user[:password]@][host[:port][,…]][/dbname][?key=value&…], split as libpq does: the
// user section ends at its only "@", which must stand before the first "/". An "@" anywhere else means a "/"
// or "@" in the password was not encoded: what the text means is then unclear, so it is refused.
bool uriLesen(const QString& text, Leser& leser) {
    const QString rest = text.mid(text.indexOf(QStringLiteral("://")) + 3);
    const qsizetype n = rest.size();
    qsizetype p = 0;
    if (const qsizetype at = rest.indexOf(u'@'); at >= 0) {
        const QString nutzerteil = rest.left(at);
        const qsizetype doppelpunkt = nutzerteil.indexOf(u':');
        const QString nutzer = doppelpunkt < 0 ? nutzerteil : nutzerteil.left(doppelpunkt);
        // A "?" in the password is as libpq reads it; one in the user's name means the "@" is in the query.
        if (rest.indexOf(u'@', at + 1) >= 0 || nutzerteil.contains(u'/') || nutzer.contains(u'?'))
            return leser.ablehnen(QStringLiteral("in der URI steht ein „@“ an unerwarteter Stelle (in Benutzer und "
                                                 "Passwort sind „@“ und „/“ als %40 und %2F zu schreiben, anderswo "
                                                 "„@“ als %40)"));
        const auto nutzerWert = dekodiert(nutzer);
        const auto passwort = doppelpunkt < 0 ? std::optional<QString>(QString())
                                              : dekodiert(QStringView(nutzerteil).mid(doppelpunkt + 1));
        if (!nutzerWert || !passwort)
            return leser.ablehnen(kTeilUngueltig);
        if (!nutzerWert->isEmpty())
            leser.dazu(QStringLiteral("user"), *nutzerWert, nutzer);
        if (!passwort->isEmpty())
            leser.dazu(QStringLiteral("password"), *passwort, nutzerteil.mid(doppelpunkt + 1));
        p = at + 1;
    }
    // Hosts, each with an optional port; an IPv6 address stands in brackets.
    auto istEines = [](QChar c, QStringView zeichen) { return zeichen.contains(c); };
    QStringList hosts;
    QStringList ports;
    for (;;) {
        QStringView host;
        if (p < n && rest[p] == u'[') {
            const qsizetype zu = rest.indexOf(u']', p + 1);
            if (zu <= p + 1)
                return leser.ablehnen(QStringLiteral("eine IPv6-Adresse in der URI ist leer oder ohne „]“"));
            host = QStringView(rest).mid(p + 1, zu - p - 1);
            p = zu + 1;
            if (p < n && !istEines(rest[p], u":/?,"))
                return leser.ablehnen(QStringLiteral("nach einer IPv6-Adresse in der URI folgt weder „:“ noch „/“"));
        } else {
            const qsizetype start = p;
            while (p < n && !istEines(rest[p], u":/?,"))
                ++p;
            host = QStringView(rest).mid(start, p - start);
        }
        QStringView port;
        if (p < n && rest[p] == u':') {
            const qsizetype start = ++p;
            while (p < n && !istEines(rest[p], u"/?,"))
                ++p;
            port = QStringView(rest).mid(start, p - start);
        }
        const auto hostWert = dekodiert(host);
        const auto portWert = dekodiert(port);
        if (!hostWert || !portWert)
            return leser.ablehnen(kTeilUngueltig);
        hosts << *hostWert;
        ports << *portWert;
        if (p < n && rest[p] == u',') {
            ++p;
            continue;
        }
        break;
    }
    const QString hostListe = hosts.join(u',');
    const QString portListe = ports.join(u',');
    // Checked here, since libpq's own message would repeat what stood there.
    if (!nurZiffern(portListe))
        return leser.ablehnen(QStringLiteral("eine Portnummer in der URI ist keine Zahl"));
    if (!hostListe.isEmpty())
        leser.dazu(QStringLiteral("host"), hostListe, QString());
    if (!portListe.isEmpty())
        leser.dazu(QStringLiteral("port"), portListe, QString());
    if (p < n && rest[p] == u'/') {
        const qsizetype start = ++p;
        while (p < n && rest[p] != u'?')
            ++p;
        const auto datenbank = dekodiert(QStringView(rest).mid(start, p - start));
        if (!datenbank)
            return leser.ablehnen(kTeilUngueltig);
        if (!datenbank->isEmpty())
            leser.dazu(QStringLiteral("dbname"), *datenbank, QString());
    }
    return p >= n || abfrageLesen(rest.mid(p + 1), leser);
}

bool istUri(const QString& text) {
    return text.startsWith(QStringLiteral("postgresql://")) || text.startsWith(QStringLiteral("postgres://"));
}

// Replaces, from left to right, each longest run of the text that occurs in one of the forms and at least
// kKleinsterTeil long (a shorter form: the whole of it). Whatever is left holds no such piece: a piece
// starting at any kept character would have been found there.
QString verdeckt(const QString& text, const QStringList& formen) {
    QString aus;
    bool zuletztVerdeckt = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const QStringView ab = QStringView(text).mid(i);
        qsizetype laenge = 0;
        for (const QString& form : formen) {
            if (form.size() < kKleinsterTeil) {
                if (ab.startsWith(form))
                    laenge = std::max(laenge, form.size());
                continue;
            }
            qsizetype l = std::max(laenge, kKleinsterTeil - 1);
            while (l < ab.size() && form.contains(ab.left(l + 1)))
                ++l;
            if (l >= kKleinsterTeil)
                laenge = l;
        }
        if (laenge == 0) {
            aus += text[i++];
            zuletztVerdeckt = false;
            continue;
        }
        if (!zuletztVerdeckt)
            aus += kMaske;
        zuletztVerdeckt = true;
        i += laenge;
    }
    return aus;
}

} // namespace

std::optional<ZentraleAdresse> ZentraleAdresse::lesen(const QString& text, QString* fehler) {
    Leser leser;
    const QString getrimmt = text.trimmed();
    bool gelesen = false;
    if (getrimmt.contains(QChar(0)))
        leser.grund = QStringLiteral("sie enthält ein NUL-Zeichen");
    else
        gelesen = istUri(getrimmt) ? uriLesen(getrimmt, leser) : paareLesen(getrimmt, leser);
    if (gelesen && leser.paare.isEmpty()) {
        gelesen = false;
        leser.grund = QStringLiteral("es ist kein Server angegeben");
    }
    if (!gelesen) {
        if (fehler)
            *fehler = QStringLiteral("Die Angabe zur Zentrale ist nicht lesbar: %1.").arg(leser.grund);
        return std::nullopt;
    }
    ZentraleAdresse adresse;
    adresse.m_parameter = std::move(leser.paare);
    adresse.m_geheimGeschrieben = std::move(leser.geheimGeschrieben);
    return adresse;
}

bool ZentraleAdresse::istGeheim(const QString& schluessel) {
    return schluessel == QStringLiteral("password") || schluessel == QStringLiteral("sslpassword") ||
           schluessel == QStringLiteral("oauth_client_secret");
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
    // Stored in zel.mdb, which any program may read. Should the password share a piece with the server's
    // name, the key changes with the password: the rows then go once more, and the server drops them.
    return ohnePasswort(QStringLiteral("%1:%2/%3").arg(host, port, db));
}

QString ZentraleAdresse::anzeige() const {
    const QString host =
        wert(QStringLiteral("host")).isEmpty() ? QStringLiteral("localhost") : wert(QStringLiteral("host"));
    const QString port = wert(QStringLiteral("port"));
    const QString db = wert(QStringLiteral("dbname"));
    const QString ort = port.isEmpty() ? host : host + u':' + port;
    return ohnePasswort(db.isEmpty() ? ort : QStringLiteral("%1 auf %2").arg(db, ort));
}

QString ZentraleAdresse::ohnePasswort(QString text) const {
    QStringList formen;
    auto dazu = [&formen](const QString& form) {
        if (!form.isEmpty() && !formen.contains(form))
            formen << form;
    };
    QStringList geheim = m_geheimGeschrieben;
    for (const auto& [k, v] : m_parameter)
        if (istGeheim(k))
            geheim << v;
    for (const QString& g : std::as_const(geheim)) {
        dazu(g);
        // Messages reach the window with their blanks simplified.
        dazu(g.simplified());
        dazu(prozentKodiert(g, false));
        dazu(prozentKodiert(g, true));
        // The driver's own quoting, should a message quote the connection it was given.
        dazu(QString(g).replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'")));
    }
    return formen.isEmpty() ? text : verdeckt(text, formen);
}

} // namespace zentrale
