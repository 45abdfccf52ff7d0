#include "portliste.h"

#include <QRegularExpression>
#include <algorithm>

namespace acquisition {

namespace {

// A port the system calls COM33 is written as the list writes its ports, with what the adapter calls
// itself after it: "COM 33 – USB Serial".
QString kurzname(const platform::SerialDevice& geraet) {
    const int nummer = PortListe::comNummer(geraet.ort);
    if (nummer == 0)
        return geraet.kurz;
    const qsizetype beschreibung = geraet.kurz.indexOf(QStringLiteral(" – "));
    return QStringLiteral("COM %1").arg(nummer) + (beschreibung < 0 ? QString() : geraet.kurz.mid(beschreibung));
}

} // namespace

int PortListe::comNummer(const QString& geraet) {
    // \\.\ and \\?\ only say that the name lies in the system's name space of devices.
    static const QRegularExpression form(QStringLiteral("^(?:[\\\\/]{2}[.?][\\\\/])?COM0*(\\d{1,3})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch treffer = form.match(geraet.trimmed());
    return treffer.hasMatch() ? treffer.captured(1).toInt() : 0;
}

bool PortListe::gleich(const QString& a, const QString& b) {
    const int nummer = comNummer(a);
    if (nummer != 0)
        return nummer == comNummer(b);
    return a == b;
}

QList<PortEintrag> PortListe::bilden(const QStringList& comGeraete, const QList<platform::SerialDevice>& vorhandene) {
    QList<PortEintrag> liste;
    for (int n = 1; n <= kComAnzahl; ++n)
        liste.append({QStringLiteral("COM %1").arg(n), comGeraete.value(n - 1), QString()});
    const auto vertreten = [&](const QString& geraet) {
        // A port Windows numbers up to 32 is "COM n" of the list, whatever the settings put behind that.
        const int nummer = comNummer(geraet);
        if (nummer >= 1 && nummer <= kComAnzahl)
            return true;
        for (const QString& com : comGeraete) {
            if (gleich(com, geraet))
                return true;
        }
        return false;
    };
    QList<QString> gelistet;
    for (const platform::SerialDevice& geraet : vorhandene) {
        if (vertreten(geraet.pfad) || vertreten(geraet.ort))
            continue;
        const bool doppelt = std::any_of(gelistet.cbegin(), gelistet.cend(),
                                         [&](const QString& schon) { return gleich(schon, geraet.ort); });
        if (doppelt)
            continue;
        gelistet << geraet.ort;
        liste.append({kurzname(geraet), geraet.pfad, geraet.pfad});
    }
    return liste;
}

} // namespace acquisition
