// Writes the program's icon as PNG files for the desktop's icon theme: gramura-icon <folder> <size>...
#include "shell/programmicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: gramura-icon <folder> <size>...\n");
        return 2;
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
