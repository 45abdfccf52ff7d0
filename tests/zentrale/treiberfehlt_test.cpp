// A database driver that does not load: the sender says so once, by the file that is missing, and does not
// knock at the server again and again; the check of "Zentrale" says the same. A listening socket stands in for
// the server, so every attempt to connect shows.
#include "psqlkopie.h"
#include "zentrale/zentraleadresse.h"
#include "zentrale/zentralepruefung.h"
#include "zentrale/zentralesender.h"
#include "zentrale/zentralezustand.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace zentrale;
using Lage = ZentraleZustand::Lage;

class TreiberFehlt : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        ASSERT_TRUE(horcher.listen(QHostAddress::LocalHost));
        m_bibliotheken = QCoreApplication::libraryPaths();
    }
    void TearDown() override { QCoreApplication::setLibraryPaths(m_bibliotheken); }

    ZentraleAdresse adresse() const {
        QString fehler;
        const auto a = ZentraleAdresse::lesen(
            QStringLiteral("host=127.0.0.1 port=%1 dbname=zentrale user=gramura sslmode=disable connect_timeout=2")
                .arg(horcher.serverPort()),
            &fehler);
        EXPECT_TRUE(a) << fehler.toStdString();
        return a.value_or(ZentraleAdresse());
    }
    // A sender whose states are collected on its own thread; read them once it has ended.
    std::unique_ptr<ZentraleSender> sender() {
        auto s = std::make_unique<ZentraleSender>(
            adresse(), QStringLiteral("Halle"), ordner.filePath(QStringLiteral("zel.mdb")),
            ZentraleTakt{.ruheMs = 10, .wartezeitMinMs = 10, .wartezeitMaxMs = 10, .anweisungsFristMs = 2000});
        QObject::connect(
            s.get(), &ZentraleSender::zustandGeaendert, s.get(),
            [this](const ZentraleZustand& z) { zustaende.push_back(z); }, Qt::DirectConnection);
        return s;
    }
    // Whether anything connected to the stand-in server; the one that did is sent away.
    bool angeklopft(int ms) {
        if (!horcher.hasPendingConnections() && !horcher.waitForNewConnection(ms))
            return false;
        std::unique_ptr<QTcpSocket> verbindung(horcher.nextPendingConnection());
        verbindung->abort();
        return true;
    }

    QTemporaryDir ordner;
    QTcpServer horcher;
    std::vector<ZentraleZustand> zustaende;

private:
    QStringList m_bibliotheken;
};

TEST_F(TreiberFehlt, TheSenderSaysItOnceByTheMissingFileAndEnds) {
    std::atomic<int> gefragt = 0;
    auto s = sender();
    s->setTreiberPruefung([&gefragt] {
        ++gefragt;
        return QStringLiteral("VCRUNTIME140.dll (Visual C++ Laufzeit)");
    });
    s->start();
    // Nobody tells it to stop: it ends by itself, having nothing it could try again.
    ASSERT_TRUE(s->wait(QDeadlineTimer(30000)));
    EXPECT_EQ(gefragt, 1);
    EXPECT_FALSE(angeklopft(0));
    ASSERT_EQ(zustaende.size(), 1u);
    EXPECT_EQ(zustaende[0].lage, Lage::TreiberFehlt);
    EXPECT_EQ(zustaende[0].zeile(QDateTime::currentDateTime()),
              QStringLiteral("PostgreSQL-Treiber fehlt: VCRUNTIME140.dll (Visual C++ Laufzeit)"));

    // The same stand-in with a driver that loads is knocked at, and the sender keeps at it.
    auto mitTreiber = sender();
    mitTreiber->setTreiberPruefung([] { return QString(); });
    mitTreiber->start();
    EXPECT_TRUE(angeklopft(30000));
    EXPECT_TRUE(angeklopft(30000));
    EXPECT_TRUE(mitTreiber->beenden(30000));
}

TEST_F(TreiberFehlt, TheCheckNamesTheMissingFileWithoutConnecting) {
    const auto ergebnis = ZentralePruefung::pruefen(adresse(), ordner.filePath(QStringLiteral("zel.mdb")),
                                                    [] { return QStringLiteral("libpq.dll"); });
    EXPECT_FALSE(ergebnis.erreicht);
    EXPECT_EQ(ergebnis.zeile, QStringLiteral("PostgreSQL-Treiber fehlt: libpq.dll"));
    EXPECT_FALSE(angeklopft(0));
}

// Nobody asked which file is missing, and the plugin is there but its client library is not: Qt hands out its
// stand-in driver, which the sender tells from a server that is away.
TEST_F(TreiberFehlt, WithoutTheFindingAnUnloadableDriverStillEndsTheSender) {
    const QString plugin = installierterPsqlTreiber();
    if (plugin.isEmpty())
        GTEST_SKIP() << "libqt6sql6-psql ist nicht installiert";
    const QString fehler = psqlTreiberKopieren(plugin, ordner.path(), true);
    ASSERT_TRUE(fehler.isEmpty()) << fehler.toStdString();
    QCoreApplication::setLibraryPaths({ordner.path()});
    // Qt keeps a driver it has loaded once, whatever the folders say afterwards.
    if (QSqlDatabase::drivers().contains(QStringLiteral("QSQLITE")))
        GTEST_SKIP() << "ein Treiber wurde in diesem Prozess schon geladen; der Test braucht einen eigenen";
    auto s = sender();
    s->start();
    ASSERT_TRUE(s->wait(QDeadlineTimer(30000)));
    EXPECT_FALSE(angeklopft(0));
    ASSERT_EQ(zustaende.size(), 1u);
    EXPECT_EQ(zustaende[0].lage, Lage::TreiberFehlt);
    EXPECT_TRUE(zustaende[0].zeile(QDateTime()).startsWith(QStringLiteral("PostgreSQL-Treiber fehlt: Qt-Plugin QPSQL")))
        << zustaende[0].zeile(QDateTime()).toStdString();
}

TEST(ZentraleZustand, AMissingDriverIsNamedWithoutTimeOrCount) {
    ZentraleZustand z;
    z.lage = Lage::TreiberFehlt;
    z.seit = QDateTime(QDate(2026, 12, 7), QTime(10, 42));
    z.wartend = 37;
    z.meldung = QStringLiteral("libpq.so.5");
    EXPECT_EQ(z.zeile(QDateTime(QDate(2026, 12, 7), QTime(11, 5))),
              QStringLiteral("PostgreSQL-Treiber fehlt: libpq.so.5"));
}

} // namespace
