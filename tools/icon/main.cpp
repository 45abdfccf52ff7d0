// Writes the program's icon for the desktops that show it:
//   gramura-icon <folder> <size>...        PNG files gramura-<size>.png for the icon theme
//   gramura-icon --ico <file> <size>...    one Windows icon file holding every size (for the executable)
#include "shell/programmicon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <cstdio>

namespace {

void anhaengen16(QByteArray& daten, quint16 wert) {
    const quint16 le = qToLittleEndian(wert);
    daten.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void anhaengen32(QByteArray& daten, quint32 wert) {
    const quint32 le = qToLittleEndian(wert);
    daten.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// An icon file whose images are PNG streams, as Windows reads them since Vista: a header, one directory entry
// per size, then the images. A size of 256 is written as 0 in the entry's bytes.
bool icoSchreiben(const QString& pfad, const QList<int>& groessen) {
    QList<QByteArray> bilder;
    for (const int groesse : groessen) {
        QByteArray png;
        QBuffer puffer(&png);
        if (groesse <= 0 || groesse > 256 || !puffer.open(QIODevice::WriteOnly) ||
            !shell::programmIconBild(groesse).save(&puffer, "PNG"))
            return false;
        bilder << png;
    }
    QByteArray datei;
    anhaengen16(datei, 0);
    anhaengen16(datei, 1);
    anhaengen16(datei, static_cast<quint16>(bilder.size()));
    quint32 versatz = 6 + 16 * static_cast<quint32>(bilder.size());
    for (qsizetype i = 0; i < bilder.size(); ++i) {
        const auto seite = static_cast<char>(groessen[i] == 256 ? 0 : groessen[i]);
        datei.append(seite).append(seite).append('\0').append('\0');
        anhaengen16(datei, 1);
        anhaengen16(datei, 32);
        anhaengen32(datei, static_cast<quint32>(bilder[i].size()));
        anhaengen32(datei, versatz);
        versatz += static_cast<quint32>(bilder[i].size());
    }
    for (const QByteArray& bild : bilder)
        datei.append(bild);
    QFile ziel(pfad);
    return ziel.open(QIODevice::WriteOnly) && ziel.write(datei) == datei.size() && ziel.flush();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || (args[1] == QLatin1String("--ico") && args.size() < 4)) {
        std::fprintf(stderr, "usage: gramura-icon <folder> <size>... | gramura-icon --ico <file> <size>...\n");
        return 2;
    }
    if (args[1] == QLatin1String("--ico")) {
        QList<int> groessen;
        for (int i = 3; i < args.size(); ++i)
            groessen << args[i].toInt();
        if (!icoSchreiben(args[2], groessen)) {
            std::fprintf(stderr, "gramura-icon: cannot write %s\n", qPrintable(args[2]));
            return 1;
        }
        return 0;
    }
    const QDir folder(args[1]);
    for (int i = 2; i < args.size(); ++i) {
        const int size = args[i].toInt();
        const QString path = folder.filePath(QStringLiteral("gramura-%1.png").arg(size));
        if (size <= 0 || !shell::programmIconBild(size).save(path)) {
            std::fprintf(stderr, "gramura-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
