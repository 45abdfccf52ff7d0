// gramura-indicator: a weighing indicator on a pseudo-terminal, for trying the program without a scale.
#include "simulator/indicatorsimulator.h"
#include "simulator/scenario.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_stop{false};

void requestStop(int) {
    g_stop = true;
}

int fail(const QString& text) {
    std::fprintf(stderr, "gramura-indicator: %s\n", qPrintable(text));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gramura-indicator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulierte Wiegeanzeige: sendet Telegramme (\"=\" und die sieben Anzeigezeichen rückwärts) "
                       "mit 2400 Baud, 8N1 auf ein Pseudoterminal.\nDas Programm liest es z. B. mit "
                       "gramura --device COM1=PFAD."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(
        {QStringLiteral("s"), QStringLiteral("scenario")},
        QStringLiteral("Ablauf: %1 (Vorgabe: demo).").arg(sim::Scenario::names().join(QStringLiteral(", "))),
        QStringLiteral("NAME"), QStringLiteral("demo"));
    const QCommandLineOption displaysOption(
        {QStringLiteral("d"), QStringLiteral("displays")},
        QStringLiteral("Statt eines Ablaufs diese Anzeigen der Reihe nach, durch Kommas getrennt, "
                       "z. B. 0012.50,-001.50 (kürzere werden mit Nullen aufgefüllt)."),
        QStringLiteral("LISTE"));
    const QCommandLineOption linkOption({QStringLiteral("l"), QStringLiteral("link")},
                                        QStringLiteral("Symbolischen Verweis PFAD auf das Pseudoterminal anlegen."),
                                        QStringLiteral("PFAD"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Startwert des Zufalls (Vorgabe: 1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption stepOption(QStringLiteral("step"),
                                        QStringLiteral("Telegramme je Wert, bevor er sich ändert (rund 30 je "
                                                       "Sekunde)."),
                                        QStringLiteral("N"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
                                        QStringLiteral("Zeichen je Sekunde (Vorgabe: 240, die Rate der Leitung)."),
                                        QStringLiteral("CPS"), QStringLiteral("240"));
    parser.addOptions({scenarioOption, displaysOption, linkOption, seedOption, stepOption, rateOption});
    parser.process(app);

    bool ok = false;
    const uint seed = parser.value(seedOption).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed erwartet eine Zahl"));
    const int rate = parser.value(rateOption).toInt(&ok);
    if (!ok || rate <= 0)
        return fail(QStringLiteral("--rate erwartet eine positive Zahl"));

    std::optional<sim::Scenario> scenario;
    if (parser.isSet(displaysOption)) {
        QString error;
        scenario = sim::Scenario::scripted(parser.value(displaysOption).split(QLatin1Char(',')), &error);
        if (!scenario)
            return fail(error);
    } else {
        const auto kind = sim::Scenario::kindNamed(parser.value(scenarioOption));
        if (!kind)
            return fail(QStringLiteral("unbekannter Ablauf \"%1\"; möglich: %2")
                            .arg(parser.value(scenarioOption), sim::Scenario::names().join(QStringLiteral(", "))));
        scenario.emplace(*kind, seed);
    }
    if (parser.isSet(stepOption)) {
        const int step = parser.value(stepOption).toInt(&ok);
        if (!ok || step < 1)
            return fail(QStringLiteral("--step erwartet eine positive Zahl"));
        scenario->setTelegramsPerStep(step);
    }

    sim::IndicatorSimulator simulator(std::move(*scenario));
    simulator.writer().setCharactersPerSecond(rate);
    QString error;
    if (!simulator.start(parser.value(linkOption), &error))
        return fail(error);
    std::printf("%s\n", qPrintable(simulator.slaveName()));
    if (parser.isSet(linkOption))
        std::printf("%s -> %s\n", qPrintable(parser.value(linkOption)), qPrintable(simulator.slaveName()));
    std::fflush(stdout);

    // Ending by Ctrl+C or kill still removes the link, so a stale one does not point at a foreign terminal.
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, &app, [] {
        if (g_stop)
            QCoreApplication::quit();
    });
    stopWatch.start(200);
    return app.exec();
}
