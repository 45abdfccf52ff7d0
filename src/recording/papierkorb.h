#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace platform {
class Dateiwechsel;
}

namespace recording {

// The databases that "&Löschen" replaced, kept in the folder Papierkorb beside zel.mdb: the newest ten, each
// named by the moment it was put there (zel-2026-12-08_14-03-07.mdb; a second one in the same second
// zel-2026-12-08_14-03-07-2.mdb). Files of other names in the folder are not the program's and stay.
class Papierkorb {
public:
    static const QString kOrdner;
    static constexpr int kBehalten = 10;

    explicit Papierkorb(const QString& datenOrdner);

    QString ordner() const { return m_ordner; }
    // A name for a file put in at this moment that no file in the folder has yet.
    QString freierPfad(const QDateTime& jetzt) const;
    // The program's files in the folder, newest first.
    QStringList dateien() const;

    // Puts a copy of the closed file `datei` into the folder under the moment's name and returns its path, or
    // an empty one with the reason in `fehler`. A copy rather than a second name for the same file: on Windows
    // a name of a file that another program holds cannot be removed, so a second name made for an emptying
    // that then fails would stay, and would go on changing with zel.mdb.
    QString hineinlegen(const QString& datei, const QDateTime& jetzt, platform::Dateiwechsel& wechsel,
                        QString* fehler) const;
    // Leaves the newest kBehalten; a file that cannot be removed now goes at a later round.
    void aufraeumen(platform::Dateiwechsel& wechsel) const;

private:
    QString m_ordner;
};

} // namespace recording
