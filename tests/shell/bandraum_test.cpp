#include "hauptfenster_fixture.h"
#include "shell/statusband.h"
#include "shell/tabkenn.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QWindow>

namespace {

// The lines the band can show at once, the most severe first: what goes in with zero, one and three of them.
struct Bandzeile {
    const char* schluessel;
    shell::Statusband::Schwere schwere;
    const char* text;
};

const Bandzeile kZeilen[] = {
    {"demoBanner", shell::Statusband::Schwere::Hinweis, "Simulierte Wiegeanzeige – die Gewichte sind nicht echt"},
    {"zentrale", shell::Statusband::Schwere::Warnung, "Zentrale nicht erreichbar"},
    {"aufzeichnung", shell::Statusband::Schwere::Stoerung, "Aufzeichnung gestört seit 10:00:01: database is locked"},
};

QRect imFenster(const QWidget* w, const QWidget* fenster) {
    return QRect(w->mapTo(fenster, QPoint(0, 0)), w->size());
}

QString name(const QWidget* w) {
    QString n = w->objectName();
    if (n.isEmpty()) {
        if (const QVariant text = w->property("text"); text.isValid())
            n = text.toString();
    }
    return QLatin1String(w->metaObject()->className()) + QLatin1Char(' ') + n;
}

class Bandraum : public Hauptfenster {
protected:
    void zeigen() {
        laden();
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    }

    void zeilen(int anzahl) {
        for (int i = 0; i < 3; ++i) {
            const Bandzeile& z = kZeilen[i];
            if (i < anzahl)
                frm->statusband()->setzen(QLatin1String(z.schluessel), z.schwere, QString::fromUtf8(z.text));
            else
                frm->statusband()->loeschen(QLatin1String(z.schluessel));
        }
    }

    // Until the platform has given the window the size it asked for.
    void ruhen() {
        QCoreApplication::processEvents();
        EXPECT_TRUE(QTest::qWaitFor([&] { return frm->windowHandle()->geometry().size() == frm->size(); }, 1000));
        QCoreApplication::processEvents();
    }

    // Every control on show that lies, in part, outside the window, outside a container of its own, or under
    // the status band.
    QStringList verdeckteKontrollen() const {
        QStringList funde;
        const shell::Statusband* band = frm->statusband();
        const QRect bandflaeche = band->isVisible() ? imFenster(band, frm.get()) : QRect();
        for (const QWidget* w : frm->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->window() != frm.get() || w->size().isEmpty())
                continue;
            const QRect flaeche = imFenster(w, frm.get());
            if (!frm->rect().contains(flaeche))
                funde << name(w) + QStringLiteral(" cut by the window");
            for (const QWidget* b = w->parentWidget(); b && b != frm.get(); b = b->parentWidget()) {
                if (!imFenster(b, frm.get()).contains(flaeche))
                    funde << name(w) + QStringLiteral(" cut by ") + name(b);
            }
            if (w != band && !band->isAncestorOf(w) && flaeche.intersects(bandflaeche))
                funde << name(w) + QStringLiteral(" under the status band");
        }
        return funde;
    }

    // Each page in turn: nothing cut or covered, and each line of the band whole in the window.
    void jedeSeitePruefen(int anzahl, const QString& wo) {
        for (int seite = 0; seite < frm->tabkenn()->tabBar()->count(); ++seite) {
            frm->tabkenn()->setCurrentIndex(seite);
            QCoreApplication::processEvents();
            EXPECT_EQ(verdeckteKontrollen().join(QStringLiteral("; ")), QString())
                << wo.toStdString() << ", " << anzahl << " line(s), page " << seite;
            EXPECT_EQ(frm->statusband()->isVisible(), anzahl > 0);
            for (int i = 0; i < anzahl; ++i) {
                const QWidget* zeile = frm->statusband()->findChild<QWidget*>(QLatin1String(kZeilen[i].schluessel));
                ASSERT_NE(zeile, nullptr);
                EXPECT_TRUE(zeile->isVisible()) << kZeilen[i].schluessel;
            }
        }
    }
};

TEST_F(Bandraum, NoControlOfAnyPageIsCutOrCoveredWithNoneOneOrThreeLines) {
    zeigen();
    for (const QSize zuwachs : {QSize(0, 0), QSize(300, 200)}) {
        zeilen(0);
        ruhen();
        frm->resize(frm->minimumSize() + zuwachs);
        ruhen();
        const QSize ohneBand = frm->size();
        const QRect tabOhneBand = frm->tabkenn()->geometry();
        const QString wo = QStringLiteral("at %1x%2").arg(ohneBand.width()).arg(ohneBand.height());
        for (const int anzahl : {0, 1, 3, 1, 0}) {
            zeilen(anzahl);
            ruhen();
            jedeSeitePruefen(anzahl, wo);
            // The band's room is the window's gain: the pages keep theirs, in width as in height.
            EXPECT_EQ(frm->tabkenn()->geometry(), tabOhneBand) << wo.toStdString() << ", " << anzahl << " line(s)";
            EXPECT_EQ(frm->width(), ohneBand.width());
            EXPECT_EQ(frm->height() > ohneBand.height(), anzahl > 0) << anzahl;
        }
        EXPECT_EQ(frm->size(), ohneBand) << "without lines the window is back at its size";
    }
}

TEST_F(Bandraum, TheWindowCannotBeMadeSoSmallThatTheBandCoversAPage) {
    zeigen();
    zeilen(3);
    ruhen();
    frm->resize(frm->width(), 100);
    ruhen();
    jedeSeitePruefen(3, QStringLiteral("dragged small"));
}

// Lines that come and go while the window is in the tray or on the task bar get their room when it is back.
TEST_F(Bandraum, LinesChangedWhileTheWindowWasAwayHaveTheirRoomWhenItIsBack) {
    zeigen();
    const QSize entwurf = frm->size();
    frm->intray();
    ASSERT_FALSE(frm->isVisible());
    zeilen(3);
    frm->MnuB_Click(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    ruhen();
    jedeSeitePruefen(3, QStringLiteral("back from the tray"));

    frm->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->isMinimized(); }, 1000));
    zeilen(1);
    frm->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->isMinimized(); }, 1000));
    ruhen();
    jedeSeitePruefen(1, QStringLiteral("back from the task bar"));

    frm->intray();
    zeilen(0);
    frm->MnuB_Click(0);
    ruhen();
    EXPECT_EQ(frm->size(), entwurf);
    jedeSeitePruefen(0, QStringLiteral("back from the tray without lines"));
}

} // namespace
