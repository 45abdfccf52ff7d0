#include "fileexist.h"

#include <QDir>
#include <QFileInfo>

namespace recording {

std::optional<QString> fileexist(const QString& ordner, const QString& file) {
    const QString gesucht = file.trimmed();
    if (ordner.isEmpty() || gesucht.isEmpty())
        return std::nullopt;
    const QDir dir(ordner);
    if (!dir.exists())
        return std::nullopt;
    // Hidden and system entries are left out, as the plain-file listing of the old program did.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && entry.fileName().trimmed().compare(gesucht, Qt::CaseInsensitive) == 0)
            return entry.fileName();
    }
    return std::nullopt;
}

} // namespace recording
