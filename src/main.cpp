#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "handover/zwischenablageeinfueger.h"
#include "platform/befehlszeile.h"
#include "platform/display.h"
#include "platform/keyboardstate.h"
#include "platform/keystrokes.h"
#include "platform/konsole.h"
#include "platform/prozessende.h"
#include "platform/qsettingsstore.h"
#include "platform/qtserialport.h"
#include "recording/datenbankpflege.h"
#include "recording/exportbefehl.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/einstellungen.h"
#include "shell/einzelstart.h"
#include "shell/frmmain.h"
#include "shell/meldungen.h"
#include "shell/oberflaeche.h"
#include "shell/paneigen.h"
#include "shell/sprache.h"
#include "shell/trayfenster.h"
#include "shell/zentralesteuerung.h"
#include "simulator/portweiche.h"
#include "simulator/simulierterport.h"
#include "zentrale/zeitbuchung.h"

#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

namespace {

struct Optionen {
    QStringList devices;
    QString dataDir;
    bool demo = false;
    std::optional<QString> zentrale;
    std::optional<QString> station;
    // --export: the CSV file; the run then only exports and ends.
    QString exportDatei;
    QString von;
    QString bis;
};

// Qt's parser words its refusals in the language of its translations, English where they are not installed;
// the operator reads them in the program's language. A refusal Qt words some other way passes as it is.
QString aufrufFehler(const QCommandLineParser& parser) {
    QStringList unbekannt = parser.unknownOptionNames();
    if (!unbekannt.isEmpty()) {
        for (QString& name : unbekannt)
            name.prepend(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
        return (unbekannt.size() == 1 ? QStringLiteral("unbekannte Option %1")
                                      : QStringLiteral("unbekannte Optionen %1"))
            .arg(unbekannt.join(QStringLiteral(", ")));
    }
    // Qt's words as its installed translation has them, the program's own in their place.
    const QString text = parser.errorText();
    for (const auto& [qt, eigen] : {std::pair{"Missing value after '%1'.", "%1 erwartet einen Wert"},
                                    {"Unexpected value after '%1'.", "%1 erwartet keinen Wert"}}) {
        const QString muster = QCoreApplication::translate("QCommandLineParser", qt);
        const qsizetype stelle = muster.indexOf(QStringLiteral("%1"));
        if (stelle < 0)
            continue;
        const QString vor = muster.left(stelle);
        const QString nach = muster.mid(stelle + 2);
        if (text.size() > vor.size() + nach.size() && text.startsWith(vor) && text.endsWith(nach))
            return QString::fromUtf8(eigen).arg(text.mid(vor.size(), text.size() - vor.size() - nach.size()));
    }
    return text;
}

// Options are read before the window's application object exists, so a missing display can be told in one line.
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
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Für diesen Lauf: zel.mdb in DIR führen (die Vorlage zel.neu "
                                                    "wird dort, neben dem Programm oder im installierten "
                                                    "Datenordner gesucht)."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Ohne Waage ausprobieren: eine eingebaute, simulierte Wiegeanzeige "
                                                 "sendet auf den eingestellten COM-Port."));
    parser.addOption(demo);
    const QCommandLineOption zentrale(QStringLiteral("zentrale"),
                                      QStringLiteral("Für diesen Lauf: die Gewichte auch an diesen PostgreSQL-Server "
                                                     "senden (Verbindungstext oder URI wie bei psql; leer: nicht "
                                                     "senden)."),
                                      QStringLiteral("CONNINFO"));
    parser.addOption(zentrale);
    const QCommandLineOption station(QStringLiteral("station"),
                                     QStringLiteral("Für diesen Lauf: der Name dieser Waage bei der Zentrale."),
                                     QStringLiteral("NAME"));
    parser.addOption(station);
    const QCommandLineOption exportieren(QStringLiteral("export"),
                                         QStringLiteral("Ohne Fenster: die aufgezeichneten Gewichte als CSV nach FILE "
                                                        "schreiben (- für die Standardausgabe) und enden (Exit-Code 0 "
                                                        "bei Erfolg)."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption von(QStringLiteral("from"),
                                 QStringLiteral("Mit --export: erst ab diesem Tag (yyyy-MM-dd, einschließlich)."),
                                 QStringLiteral("yyyy-MM-dd"));
    const QCommandLineOption bis(QStringLiteral("to"),
                                 QStringLiteral("Mit --export: nur bis zu diesem Tag (yyyy-MM-dd, einschließlich)."),
                                 QStringLiteral("yyyy-MM-dd"));
    parser.addOption(exportieren);
    parser.addOption(von);
    parser.addOption(bis);
    if (!parser.parse(arguments)) {
        platform::fehlerAusgeben(QStringLiteral("gramura: ") + aufrufFehler(parser));
        std::exit(2);
    }
    if (parser.isSet(help)) {
        // Qt names the program as it was called, folders and all; the help names it as it is typed.
        QString text = parser.helpText();
        const QString aufgerufen = QCoreApplication::arguments().value(0);
        if (const qsizetype stelle = text.indexOf(aufgerufen); !aufgerufen.isEmpty() && stelle >= 0)
            text.replace(stelle, aufgerufen.size(), QFileInfo(aufgerufen).fileName());
        platform::hilfeAusgeben(text);
        std::exit(0);
    }
    if (!parser.isSet(exportieren) && (parser.isSet(von) || parser.isSet(bis))) {
        platform::fehlerAusgeben(QStringLiteral("gramura: --from und --to gelten nur mit --export"));
        std::exit(2);
    }
    // An empty value is a mistake in the job's command line (an unset variable, say), not a wish for the
    // window or for every day.
    for (const auto& [option, erwartet] : {std::pair{&exportieren, "eine Datei oder -"},
                                           {&von, "ein Datum yyyy-MM-dd"},
                                           {&bis, "ein Datum yyyy-MM-dd"}}) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty()) {
            platform::fehlerAusgeben(QStringLiteral("gramura: --%1 erwartet %2, keinen leeren Wert")
                                         .arg(option->names().constFirst(), QString::fromUtf8(erwartet)));
            std::exit(2);
        }
    }
    Optionen optionen{parser.values(device),     parser.value(dataDir), parser.isSet(demo), {}, {},
                      parser.value(exportieren), parser.value(von),     parser.value(bis)};
    if (parser.isSet(zentrale))
        optionen.zentrale = parser.value(zentrale);
    if (parser.isSet(station))
        optionen.station = parser.value(station);
    return optionen;
}

// The whole run; every object of the program's own is gone when it returns.
int laufen(int argc, char** argv) {
    platform::konsoleAnbinden();
    const QStringList arguments = platform::befehlszeile(argc, argv);
    // Qt's parser speaks German through the translations an application object holds, and the window's object
    // cannot be made before the options are read; a core one reads them, and serves the export.
    auto kern = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Gramura"));
    shell::spracheEinrichten();
    const Optionen optionen = parseOptions(arguments);

    // A scheduled job has no display: the export runs on the core application, before any display is asked for.
    // Its report speaks German whatever the job's locale, numbers too ("1.234 Gewichte"); the file itself never
    // depends on it.
    if (!optionen.exportDatei.isEmpty()) {
        QString meldung;
        const recording::ExportBefehl befehl{optionen.exportDatei, optionen.von, optionen.bis, optionen.dataDir};
        const int ergebnis = befehl.ausfuehren(&meldung);
        if (ergebnis != recording::ExportBefehl::Erfolg)
            platform::fehlerAusgeben(QStringLiteral("gramura: ") + meldung);
        else if (!meldung.isEmpty())
            platform::berichtAusgeben(meldung);
        return ergebnis;
    }

    kern.reset();
    QString reason;
    if (!platform::displayAvailable(&reason)) {
        platform::fehlerAusgeben(QStringLiteral("gramura: ") + reason);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gramura"));
    shell::spracheEinrichten();
    shell::stilFestlegen();
    // While the window is hidden in the notification area, closing a message box would otherwise count
    // as closing the last window and end the program; it ends when the main window unloads, and only then.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start for the same user and data folder brings the running window to the front and ends,
    // before it opens the port or the keyboard.
    const recording::DatenOrt datenOrt = recording::datenOrtFuerProgramm(optionen.dataDir);
    if (const QString ablehnung = recording::datenOrtAblehnung(datenOrt.ordner); !ablehnung.isEmpty()) {
        platform::fehlerAusgeben(QStringLiteral("gramura: ") + ablehnung);
        return 1;
    }
    shell::EinzelStart einzelStart(datenOrt.ordner);
    switch (einzelStart.anmelden()) {
    case shell::EinzelStart::Ergebnis::Erster:
        break;
    case shell::EinzelStart::Ergebnis::Weitergereicht:
        return 0;
    case shell::EinzelStart::Ergebnis::Haengt:
        platform::fehlerAusgeben(QStringLiteral("gramura: das Programm läuft schon für %1, antwortet aber nicht")
                                     .arg(QDir::toNativeSeparators(datenOrt.ordner)));
        return 1;
    case shell::EinzelStart::Ergebnis::Erhoeht:
        platform::fehlerAusgeben(QStringLiteral("gramura: das Programm läuft schon für %1, als Administrator; "
                                                "von diesem Start aus ist es nicht zu erreichen")
                                     .arg(QDir::toNativeSeparators(datenOrt.ordner)));
        return 1;
    }

    auto store = platform::QSettingsStore::forCurrentUser();
    acquisition::PortMapping ports(*store);
    for (const QString& assignment : optionen.devices) {
        if (!ports.addOverride(assignment)) {
            platform::fehlerAusgeben(
                QStringLiteral("gramura: --device erwartet COMn=PATH (n von 1 bis 32), nicht %1").arg(assignment));
            return 2;
        }
    }

    // The simulated indicator takes the place of the device behind the stored port, for this run only. It sits
    // behind a port of its own rather than on a pseudo-terminal, so the demo needs nothing of the system; any
    // other port the operator chooses meanwhile is the real one.
    platform::QtSerialPort echterPort;
    std::unique_ptr<sim::SimulierterPort> simulierterPort;
    std::unique_ptr<sim::PortWeiche> weiche;
    if (optionen.demo) {
        const QString simulierteAnzeige = QString::fromLatin1(sim::SimulierterPort::kGeraet);
        simulierterPort = std::make_unique<sim::SimulierterPort>();
        weiche = std::make_unique<sim::PortWeiche>(simulierteAnzeige, *simulierterPort, echterPort);
        const shell::Einstellungen einstellungen(*store);
        const QString geraet = einstellungen.text(QStringLiteral("PortGeraet"), QString()).trimmed();
        if (!geraet.isEmpty())
            ports.setGeraetOverride(geraet, simulierteAnzeige);
        else
            ports.setOverride(einstellungen.wholeNumber(QStringLiteral("Port"), 0, 0, 31) + 1, simulierteAnzeige);
    }

    platform::SerialPort& port = weiche ? static_cast<platform::SerialPort&>(*weiche) : echterPort;
    acquisition::SerialLink link(port);
    shell::MessageBoxMeldungen meldungen;
    auto tastatur = platform::createKeyboardState();
    auto keystrokes = platform::createKeystrokes();
    handover::ZwischenablageEinfueger einfueger(*keystrokes, *QGuiApplication::clipboard());
    einfueger.setTastatur(tastatur.get());
    zentrale::ZeitBuchung zeitBuchung; // outlives the store, which holds it
    recording::WeightStore gewichtStore;
    recording::GewichteListe gewichteListe;
    recording::Datenbankpflege datenbank(datenOrt, gewichtStore, gewichteListe);
    shell::FrmMain frmMain(
        {*store, link, ports, meldungen, tastatur.get(), &einfueger, &gewichtStore, nullptr, &datenbank});
    meldungen.setParent(&frmMain);
    QObject::connect(&frmMain, &shell::FrmMain::entladen, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&einzelStart, &shell::EinzelStart::nachVornGewuenscht, frmMain.trayFenster(),
                     &shell::TrayFenster::nachVorn);
    if (optionen.demo)
        frmMain.setDemoBanner(QStringLiteral("Simulierte Wiegeanzeige – die Gewichte sind nicht echt"));

    // Before zel.mdb is opened: with a server configured, each row's instant is written with it.
    shell::ZentraleSteuerung steuerung({*store, datenbank, zeitBuchung, *frmMain.zentraleAnzeige()}, optionen.zentrale,
                                       optionen.station);
    QObject::connect(frmMain.paneigen()->cmdzentrale(), &QPushButton::clicked, &steuerung,
                     [&steuerung, &frmMain] { steuerung.einrichten(&frmMain); });

    frmMain.Form_Load();
    steuerung.starten();
    frmMain.show();
    frmMain.startTimers();
    const int rc = app.exec();
    // A sender caught in a network call is not waited for beyond a moment: zel.mdb is safe as it is, and
    // whatever it was sending goes again at the next start.
    if (!steuerung.beenden(3000))
        platform::sofortBeenden(rc);
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    platform::prozessBeenden(laufen(argc, argv));
}
