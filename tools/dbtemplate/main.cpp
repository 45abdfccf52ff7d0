#include "recording/vorlage.h"

#include <QCoreApplication>
#include <cstdio>

// gramura_dbtemplate PATH: writes the empty template database to PATH, replacing what is there.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "Aufruf: gramura_dbtemplate ZIEL\n");
        return 2;
    }
    QString fehler;
    if (!recording::vorlageErzeugen(arguments.at(1), &fehler)) {
        std::fprintf(stderr, "gramura_dbtemplate: %s\n", qPrintable(fehler));
        return 1;
    }
    return 0;
}
