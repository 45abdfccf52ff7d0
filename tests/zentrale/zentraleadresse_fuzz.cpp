// Coverage-guided fuzzing of the connection text's reader: whatever stands around a password, in whatever
// syntax it is given, no piece of it may reach a text the operator sees. Needs clang's libFuzzer:
//   cmake -S . -B build-fuzz-conn -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DGRAMURA_FUZZ=ON
//   cmake --build build-fuzz-conn --target zentraleadresse_fuzz
//   build-fuzz-conn/tests/zentrale/zentraleadresse_fuzz -max_total_time=60
//
// The passwords are built of Greek and Cyrillic letters with the characters that matter to the syntax
// between them, so each of their pieces of three characters holds a letter the fuzzed bytes are kept from
// producing (they lose such letters, and every "%" that could encode one). A piece of a password in a text
// can then only have come from the password.
#include "zentrale/zentraleadresse.h"

#include <QStringList>
#include <QUrl>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using zentrale::ZentraleAdresse;

bool istMerkzeichen(QChar c) {
    return c.unicode() >= 0x370 && c.unicode() <= 0x52f;
}

bool istHohesHex(QChar c) {
    return (c >= u'8' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

QString bereinigt(const QString& roh) {
    QString ohne;
    for (const QChar c : roh)
        if (!istMerkzeichen(c))
            ohne += c;
    // "%CE" would decode to the first byte of a Greek letter, "%25CE" to the text "%CE" of an encoded one.
    for (qsizetype i = 0; i + 1 < ohne.size(); ++i)
        if (ohne[i] == u'%' && (istHohesHex(ohne[i + 1]) || QStringView(ohne).mid(i + 1).startsWith(u"25")))
            ohne[i] = u'_';
    return ohne;
}

QString kodiert(const QString& wert) {
    return QString::fromLatin1(QUrl::toPercentEncoding(wert));
}

QString inHochkommas(QString wert) {
    return u'\'' + wert.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'")) + u'\'';
}

// Every piece of three characters of the password, and of its percent-encoding those that encode a letter
// of its own (the rest, "%2F" say, the fuzzed bytes may well hold).
QStringList teile(const QString& passwort) {
    QStringList liste;
    for (qsizetype i = 0; i + 3 <= passwort.size(); ++i)
        liste << passwort.mid(i, 3);
    for (const QString& form : {kodiert(passwort), kodiert(passwort).toLower()})
        for (qsizetype i = 0; i + 3 <= form.size(); ++i)
            if (form[i] == u'%' && istHohesHex(form[i + 1]))
                liste << form.mid(i, 3);
    return liste;
}

[[noreturn]] void verraten(const QString& eingabe, const QString& wo, const QString& text, const QString& teil) {
    std::fprintf(stderr, "Passwortteil „%s“ in %s: „%s“\nEingabe: „%s“\n", qPrintable(teil), qPrintable(wo),
                 qPrintable(text), qPrintable(eingabe));
    std::abort();
}

void pruefen(const QString& eingabe, const QString& passwort, const QStringList& verboten, const QString& fuzz) {
    auto frei = [&](const QString& wo, const QString& text) {
        for (const QString& teil : verboten)
            if (text.contains(teil))
                verraten(eingabe, wo, text, teil);
    };
    QString fehler;
    const auto adresse = ZentraleAdresse::lesen(eingabe, &fehler);
    if (!adresse) {
        if (fehler.isEmpty())
            verraten(eingabe, QStringLiteral("fehler"), QStringLiteral("(leer)"), QString());
        frei(QStringLiteral("fehler"), fehler);
        return;
    }
    frei(QStringLiteral("anzeige()"), adresse->anzeige());
    frei(QStringLiteral("serverSchluessel()"), adresse->serverSchluessel());
    // The password must never be taken for anything else: a driver's message may repeat any other value.
    QString meldung = QStringLiteral("FATAL: ") + fuzz;
    for (const auto& [k, v] : adresse->parameter()) {
        if (!ZentraleAdresse::istGeheim(k)) {
            frei(QStringLiteral("dem Wert von ") + k, v);
            meldung += QStringLiteral(" %1=„%2“").arg(k, v);
        }
    }
    const qsizetype haelfte = passwort.size() / 2;
    meldung += QStringLiteral(" %1 %2 %3 %4 %5 ")
                   .arg(passwort, kodiert(passwort), kodiert(passwort).toLower(), passwort.left(haelfte + 1),
                        passwort.mid(haelfte - 1));
    frei(QStringLiteral("ohnePasswort()"), adresse->ohnePasswort(meldung + fuzz));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QStringList passwoerter{
        QStringLiteral("ΩΨЖ"),           QStringLiteral("Ω?Ψ#Ж:Щ"),         QStringLiteral("Ω/Ψ?Ж#Щ@Ф:Ц"),
        QStringLiteral("Ω Ψ=Ж'Щ\\Ф\"Ц"), QStringLiteral("Ω%Ψ&Ж=Щ,Ф[Ц]Я+Э"), QStringLiteral("ΩΨ\\"),
    };
    static const QList<QStringList> verboten = [] {
        QList<QStringList> liste;
        for (const QString& pw : passwoerter)
            liste << teile(pw);
        return liste;
    }();
    constexpr int kSchreibweisen = 7;
    if (size < 1)
        return 0;
    // The first byte picks the password and the way it is written, so each run reads one text.
    const int n = data[0] % passwoerter.size();
    const int schreibweise = data[0] / passwoerter.size() % kSchreibweisen;
    const QString& pw = passwoerter[n];
    const QString fuzz = bereinigt(QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)));
    // Any "?" before the query's own would make the password a piece of another parameter's value.
    const QString vorAbfrage = QString(fuzz).replace(u'?', u'_');
    QString eingabe;
    switch (schreibweise) {
    case 0:
        eingabe = QStringLiteral("postgresql://gramura:") + pw + u'@' + fuzz;
        break;
    case 1:
        eingabe = QStringLiteral("postgresql://gramura:") + kodiert(pw) + u'@' + fuzz;
        break;
    case 2:
        eingabe = QStringLiteral("postgres://") + vorAbfrage + QStringLiteral("?password=") + pw + u'&' + fuzz;
        break;
    case 3:
        eingabe =
            QStringLiteral("postgresql://") + vorAbfrage + QStringLiteral("?password=") + kodiert(pw) + u'&' + fuzz;
        break;
    case 4:
        eingabe = QStringLiteral("password=") + pw + u' ' + fuzz;
        break;
    case 5:
        eingabe = QStringLiteral("password=") + inHochkommas(pw) + u' ' + fuzz;
        break;
    default:
        // Given twice: the last counts, the first is a password all the same.
        eingabe = QStringLiteral("password = ") + inHochkommas(pw) + u' ' + fuzz + QStringLiteral(" password=x");
        break;
    }
    pruefen(eingabe, pw, verboten[n], fuzz);
    return 0;
}
