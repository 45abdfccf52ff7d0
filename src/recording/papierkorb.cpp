#include "papierkorb.h"

#include "platform/dateiwechsel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace recording {

namespace {

const QRegularExpression& namensMuster() {
    static const QRegularExpression muster(
        QStringLiteral("^zel-(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(?:-(\\d+))?\\.mdb$"),
        QRegularExpression::CaseInsensitiveOption);
    return muster;
}

// Newest first: the moment in the name, then within one second the number after it.
struct Eintrag {
    QString name;
    QString moment;
    int nummer;
};

} // namespace

const QString Papierkorb::kOrdner = QStringLiteral("Papierkorb");

Papierkorb::Papierkorb(const QString& datenOrdner) : m_ordner(QDir(datenOrdner).filePath(kOrdner)) {}

QString Papierkorb::freierPfad(const QDateTime& jetzt) const {
    // Above every number of this second still there: a name freed by the clearing-out would otherwise come
    // again and sort the newest file before older ones of the same second.
    const QString moment = jetzt.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    int hoechste = 0;
    for (const QString& name : QDir(m_ordner).entryList(QDir::Files)) {
        const QRegularExpressionMatch treffer = namensMuster().match(name);
        if (treffer.hasMatch() && treffer.captured(1) == moment)
            hoechste = std::max(hoechste, treffer.captured(2).isEmpty() ? 1 : treffer.captured(2).toInt());
    }
    const QString name = hoechste == 0 ? QStringLiteral("zel-%1.mdb").arg(moment)
                                       : QStringLiteral("zel-%1-%2.mdb").arg(moment).arg(hoechste + 1);
    return QDir(m_ordner).filePath(name);
}

QStringList Papierkorb::dateien() const {
    std::vector<Eintrag> eintraege;
    for (const QString& name : QDir(m_ordner).entryList(QDir::Files)) {
        const QRegularExpressionMatch treffer = namensMuster().match(name);
        if (treffer.hasMatch())
            eintraege.push_back(
                {name, treffer.captured(1), treffer.captured(2).isEmpty() ? 1 : treffer.captured(2).toInt()});
    }
    std::sort(eintraege.begin(), eintraege.end(), [](const Eintrag& a, const Eintrag& b) {
        return a.moment != b.moment ? a.moment > b.moment : a.nummer > b.nummer;
    });
    QStringList pfade;
    for (const Eintrag& e : eintraege)
        pfade << QDir(m_ordner).filePath(e.name);
    return pfade;
}

QString Papierkorb::hineinlegen(const QString& datei, const QDateTime& jetzt, platform::Dateiwechsel& wechsel,
                                QString* fehler) const {
    if (!QDir().mkpath(m_ordner)) {
        *fehler = QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(QDir::toNativeSeparators(m_ordner));
        return QString();
    }
    const QString ziel = freierPfad(jetzt);
    // Written under a temporary name, so an interrupted copy never passes for a kept database.
    const QString teil = ziel + QStringLiteral(".tmp");
    wechsel.entfernen(teil);
    QFile quelle(datei);
    QString grund;
    if (!quelle.copy(teil))
        grund = quelle.errorString();
    else if (!wechsel.sichern(teil) || !wechsel.umbenennen(teil, ziel))
        grund = wechsel.fehler();
    else
        return ziel;
    *fehler = QStringLiteral("„%1“ kann nicht nach „%2“ gelegt werden: %3")
                  .arg(QDir::toNativeSeparators(datei), QDir::toNativeSeparators(ziel), grund);
    wechsel.entfernen(teil);
    return QString();
}

void Papierkorb::aufraeumen(platform::Dateiwechsel& wechsel) const {
    const QStringList alle = dateien();
    for (qsizetype i = kBehalten; i < alle.size(); ++i)
        wechsel.entfernen(alle[i]);
}

} // namespace recording
