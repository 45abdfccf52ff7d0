// The test's throw-away PostgreSQL server for test scripts (the Windows program under wine sends to it from the
// Linux side). Runs while its standard input is open and removes the server when it closes:
//   gramura_pgdienst [--tls] [--dauerhaft]      (--dauerhaft: commits reach the disk, for figures)
// prints "bereit PORT CA-DATEI" (CA-DATEI "-" without TLS), then answers one line per command:
//   stopp | start            stops the server / starts it again on the same port with the same data
//   abfrage SQL              one statement as superuser on "zentrale": "= RESULT" (lines joined by "|")
//   fremdeca PFAD            makes a CA of its own at PFAD that vouches for nothing this server has
// with "ok" or "fehler TEXT" (one line) where nothing else is said.
#include "pgcluster.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

void sagen(const QString& zeile) {
    QString text = zeile;
    text.replace(u'\n', u'|').replace(u'\r', u' ');
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void erledigt(bool ok, const PgCluster& server) {
    sagen(ok ? QStringLiteral("ok") : QStringLiteral("fehler ") + server.letzterFehler());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PgCluster server;
    server.setTls(app.arguments().contains(QStringLiteral("--tls")));
    server.setDauerhaft(app.arguments().contains(QStringLiteral("--dauerhaft")));
    QString fehler;
    if (!server.starten(&fehler)) {
        sagen(QStringLiteral("fehler ") + fehler);
        return 1;
    }
    const QString ca = server.caDatei();
    sagen(QStringLiteral("bereit %1 %2").arg(server.port()).arg(ca.isEmpty() ? QStringLiteral("-") : ca));

    std::string zeile;
    while (std::getline(std::cin, zeile)) {
        const QString befehl = QString::fromStdString(zeile).trimmed();
        const QString wort = befehl.section(u' ', 0, 0);
        const QString rest = befehl.section(u' ', 1);
        if (wort == QLatin1String("stopp")) {
            erledigt(server.stoppen(), server);
        } else if (wort == QLatin1String("start")) {
            erledigt(server.wiederStarten(), server);
        } else if (wort == QLatin1String("abfrage")) {
            const auto antwort = server.abfrage(rest);
            sagen(antwort ? QStringLiteral("= ") + *antwort : QStringLiteral("fehler ") + server.letzterFehler());
        } else if (wort == QLatin1String("fremdeca")) {
            const bool ok = PgCluster::fremdeCaErzeugen(rest, &fehler);
            sagen(ok ? QStringLiteral("ok") : QStringLiteral("fehler ") + fehler);
        } else {
            sagen(QStringLiteral("fehler unbekannter Befehl: ") + wort);
        }
    }
    return 0;
}
