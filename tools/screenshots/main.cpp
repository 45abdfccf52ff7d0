// Writes a picture of each page of the main window at its design size, composed as the program composes it
// but with a simulated indicator showing a seven-digit weight and a few recorded rows, so that the widest
// display text and a filled record list can be looked at, and a simulated working day for the chart. The
// pictures are taken at the scale the display gives (QT_SCALE_FACTOR), which goes into their names.
#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "platform/qsettingsstore.h"
#include "platform/qtserialport.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/frmmain.h"
#include "shell/meldungen.h"
#include "shell/panverlauf.h"
#include "shell/tabkenn.h"
#include "simulator/indicatorsimulator.h"

#include <QApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

const QString kGewicht = QStringLiteral("2254410");

// A message would stop the run until someone closes it; here it is only reported.
class KonsolenMeldungen final : public shell::Meldungen {
public:
    void zeige(const QString& text) override {
        std::fprintf(stderr, "gramura-screenshots: Meldung: %s\n", qPrintable(text));
        ++anzahl;
    }
    void zeige(const QString& text, const QString& einzelheiten) override {
        zeige(einzelheiten.isEmpty() ? text : text + QStringLiteral(" (") + einzelheiten + u')');
    }
    int anzahl = 0;
};

bool warten(const std::function<bool()>& bedingung, int ms) {
    QDeadlineTimer frist(ms);
    while (!bedingung()) {
        if (frist.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// File names without blanks or access-key ampersands: seite-<caption>-<scale in percent>.png.
QString dateiname(QString caption, qreal skala) {
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed().toLower();
    caption.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("seite-%1-%2.png").arg(caption).arg(qRound(skala * 100));
}

// A working day at a filling line, one row every two seconds: a crate left on the scale overnight, then
// crates filled to about 25 kg and taken off, the fill creeping upwards through the day, a break at noon and
// one crate dropped hard on the scale in the afternoon. Written past the program, on a connection of its own.
void simulierterTag(const QString& pfad, const QDate& tag) {
    const QString name = QStringLiteral("simulierter_tag");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        if (db.open()) {
            db.transaction();
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("insert into Gewichte (Datum, Gewicht) values (?, ?)"));
            for (int s = 0; s < 86400; s += 2) {
                double kg = 0;
                if (s < 6 * 3600) {
                    kg = 12.3; // left loaded overnight
                } else if (s < 22 * 3600 && (s < 12 * 3600 || s >= 12 * 3600 + 1800)) {
                    const int imTakt = s % 600; // a crate every ten minutes
                    const double ziel = 25.0 + 0.6 * (s - 6 * 3600) / (16.0 * 3600);
                    kg = imTakt < 120 ? ziel * imTakt / 120.0 : imTakt < 540 ? ziel : 0.0;
                    if (s >= 15 * 3600 && s < 15 * 3600 + 6)
                        kg = 41.7; // dropped on the scale
                }
                insert.addBindValue(
                    QDateTime(tag, QTime(0, 0).addSecs(s)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
                insert.addBindValue(kg);
                insert.exec();
            }
            insert = QSqlQuery();
            db.commit();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gramura"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Aufruf: gramura-screenshots ZIELORDNER\n");
        return 2;
    }
    const QDir ziel(args.at(1));
    if (!QDir().mkpath(ziel.path())) {
        std::fprintf(stderr, "gramura-screenshots: %s lässt sich nicht anlegen\n", qPrintable(ziel.path()));
        return 1;
    }

    QTemporaryDir arbeit;
    QString error;
    auto scenario = sim::Scenario::scripted({kGewicht}, &error);
    if (!arbeit.isValid() || !scenario) {
        std::fprintf(stderr, "gramura-screenshots: %s\n", qPrintable(error));
        return 1;
    }
    sim::IndicatorSimulator simulator(std::move(*scenario));
    if (!simulator.start(QString(), &error)) {
        std::fprintf(stderr, "gramura-screenshots: %s\n", qPrintable(error));
        return 1;
    }

    platform::QSettingsStore store(arbeit.filePath(QStringLiteral("Gramura.conf")));
    acquisition::PortMapping ports(store);
    ports.setOverride(1, simulator.devicePath());
    platform::QtSerialPort port;
    acquisition::SerialLink link(port);
    KonsolenMeldungen meldungen;
    recording::WeightStore gewichtStore;
    recording::GewichteListe gewichteListe;
    recording::Datenbankpflege datenbank(recording::datenOrtFuerProgramm(arbeit.filePath(QStringLiteral("daten"))),
                                         gewichtStore, gewichteListe);
    shell::FrmMainDienste dienste{store, link, ports, meldungen};
    dienste.speicher = &gewichtStore;
    dienste.datenbank = &datenbank;
    shell::FrmMain frmMain(dienste);
    frmMain.Form_Load();
    frmMain.show();
    frmMain.startTimers();

    if (!warten([&] { return frmMain.txtgewicht()->text().remove(QLatin1Char(' ')) == kGewicht; }, 10000))
        std::fprintf(stderr, "gramura-screenshots: die Anzeige zeigt \"%s\" statt %s\n",
                     qPrintable(frmMain.txtgewicht()->text()), qPrintable(kGewicht));
    const QDateTime beginn = QDateTime::currentDateTime();
    for (int i = 0; i < 5; ++i)
        gewichtStore.speichern(kGewicht, beginn.addSecs(i));
    // Yesterday's working day, so that today's rows above keep the list's top and the chart its scale.
    const QDate gestern = beginn.date().addDays(-1);
    simulierterTag(datenbank.datenbankPfad(), gestern);

    int fehler = meldungen.anzahl;
    shell::TabKenn* tabs = frmMain.tabkenn();
    for (int i = 0; i < tabs->tabBar()->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (tabs->page(i) == frmMain.panverlauf())
            frmMain.panverlauf()->dtptag()->setDate(gestern);
        warten([] { return false; }, 200); // lets the page lay itself out and paint
        const QString datei = ziel.filePath(dateiname(tabs->tabBar()->tabText(i), frmMain.devicePixelRatioF()));
        const QPixmap bild = frmMain.grab();
        // The strongest compression: the pictures go into the repository.
        if (!bild.save(datei, "PNG", 0)) {
            std::fprintf(stderr, "gramura-screenshots: %s lässt sich nicht schreiben\n", qPrintable(datei));
            ++fehler;
            continue;
        }
        std::printf("%s (%d x %d)\n", qPrintable(datei), bild.width(), bild.height());
    }
    frmMain.Form_Unload();
    return fehler == 0 ? 0 : 1;
}
