#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "platform/display.h"
#include "platform/qsettingsstore.h"
#include "platform/qtserialport.h"
#include "shell/einstellungen.h"
#include "shell/frmmain.h"
#include "shell/meldungen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <cstdio>

namespace {

struct Optionen {
    QStringList devices;
};

// Options are read before the application object exists, so a missing display can be told in one line.
Optionen parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VELKOR ZEL Desktop: Gewicht der Wiegeanzeige anzeigen, "
                                                    "übergeben und aufzeichnen."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Diese Hilfe anzeigen."));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Für diesen Lauf: COM-Port n auf das Gerät PATH legen "
                                                   "(mehrfach möglich), z. B. COM1=/dev/ttyUSB0."),
                                    QStringLiteral("COMn=PATH"));
    parser.addOption(help);
    parser.addOption(device);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        std::exit(2);
    }
    if (parser.isSet(help)) {
        std::fprintf(stdout, "%s", qPrintable(parser.helpText()));
        std::exit(0);
    }
    return Optionen{parser.values(device)};
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Optionen optionen = parseOptions(arguments);

    QString reason;
    if (!platform::displayAvailable(&reason)) {
        std::fprintf(stderr, "gramura: %s\n", qPrintable(reason));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gramura"));

    auto store = platform::QSettingsStore::forCurrentUser();
    acquisition::PortMapping ports(*store);
    for (const QString& assignment : optionen.devices) {
        if (!ports.addOverride(assignment)) {
            std::fprintf(stderr, "gramura: --device erwartet COMn=PATH (n von 1 bis 32), nicht %s\n",
                         qPrintable(assignment));
            return 2;
        }
    }

    platform::QtSerialPort port;
    acquisition::SerialLink link(port);
    shell::MessageBoxMeldungen meldungen;
    shell::FrmMain frmMain({*store, link, ports, meldungen});
    meldungen.setParent(&frmMain);

    frmMain.Form_Load();
    frmMain.show();
    frmMain.startTimers();
    return app.exec();
}
