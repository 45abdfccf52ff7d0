#include "hauptfenster_fixture.h"
#include "recording/intervall.h"
#include "shell/frmzusatzsalden.h"
#include "shell/gewichteraster.h"
#include "shell/paneigen.h"
#include "shell/pangeld.h"
#include "shell/pankenn.h"
#include "shell/panverlauf.h"
#include "shell/schwellenfeld.h"
#include "shell/tabkenn.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace {

// One control of the design: how to find it, what it is, where it sits in its container, what it says.
struct Kontrolle {
    const char* name;               // objectName, or the caption for unnamed panels
    const char* art;                // the class it must be or derive from
    const char* behaelter;          // objectName of the container it is placed in
    int links, oben, breite, hoehe; // twips
    const char* beschriftung;       // caption, nullptr where there is none
};

void PrintTo(const Kontrolle& k, std::ostream* os) {
    *os << k.name;
}

const Kontrolle kEntwurf[] = {
    {"tabkenn", "shell::TabKenn", "frmMain", 60, 60, 8475, 4335, nullptr},
    {"cmdBeenden", "QPushButton", "frmMain", 60, 4440, 1395, 375, "&Beenden"},
    {"cmdlöschen", "QPushButton", "frmMain", 5640, 4440, 1395, 375, "&Löschen"},
    {"cmdMinimieren", "QPushButton", "frmMain", 7140, 4440, 1395, 375, "&Minimieren"},
    {"cmdzentrale", "QPushButton", "frmMain", 1560, 4440, 1395, 375, "&Zentrale…"},
    {"pangeld", "QWidget", "tabkenn", 45, 420, 8385, 3870, nullptr},
    {"paneigen", "QWidget", "tabkenn", 45, 420, 8385, 3870, nullptr},
    {"pankenn", "QWidget", "tabkenn", 45, 420, 8385, 3870, nullptr},
    {"pansalden", "QWidget", "tabkenn", 45, 420, 8385, 3870, nullptr},
    {"panverlauf", "QWidget", "tabkenn", 45, 420, 8385, 3870, nullptr},
    {"txtgewicht", "QLineEdit", "pangeld", 90, 90, 8205, 3690, nullptr},
    {"Allgemeine Einstellungen", "QGroupBox", "paneigen", 60, 0, 8235, 795, "Allgemeine Einstellungen"},
    {" COM Port:", "QLabel", "frmallgemein", 120, 300, 915, 315, " COM Port:"},
    {"cboport", "QComboBox", "frmallgemein", 1020, 300, 1095, 315, nullptr},
    {" Dezimaltrennzeichen:", "QLabel", "frmallgemein", 2160, 300, 1755, 315, " Dezimaltrennzeichen:"},
    {"cbokomma", "QComboBox", "frmallgemein", 3900, 300, 1395, 315, nullptr},
    {" Funktionstaste:", "QLabel", "frmallgemein", 5340, 300, 1410, 315, " Funktionstaste:"},
    {"cboTaste", "QComboBox", "frmallgemein", 6720, 300, 1395, 315, nullptr},
    {"frmzusatzsalden", "QGroupBox", "paneigen", 60, 900, 8235, 2835, "Einstellungen zur Aufzeichnung"},
    // The list gives up the height of the export button's row and its margin.
    {"grdgewichte", "QTableView", "pankenn", 90, 90, 8205, 3225, nullptr},
    {"cmdexportieren", "QPushButton", "pankenn", 90, 3405, 1395, 375, "E&xportieren…"},
    {" Version:", "QLabel", "pansalden", 60, 60, 915, 315, " Version:"},
    {" 2012 vom 20.4.2012", "QLabel", "pansalden", 960, 60, 2895, 315, " 2012 vom 20.4.2012"},
    {" Datenordner:", "QLabel", "pansalden", 60, 420, 1275, 315, " Datenordner:"},
    {"lbldatenordner", "QLabel", "pansalden", 1380, 420, 6945, 315, nullptr},
    {" Verbindung:", "QLabel", "pansalden", 60, 1140, 1275, 315, " Verbindung:"},
    {"lblverbindung", "QLabel", "pansalden", 1380, 1140, 6945, 315, nullptr},
};

QString text(const QWidget* widget) {
    if (const auto* knopf = qobject_cast<const QAbstractButton*>(widget))
        return knopf->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* rahmen = qobject_cast<const QGroupBox*>(widget))
        return rahmen->title();
    return {};
}

class Fensteraufbau : public Hauptfenster {
protected:
    // By name, else the one widget whose caption is the name.
    QWidget* finden(const char* name) {
        const QString gesucht = QString::fromUtf8(name);
        if (QWidget* benannt = frm->findChild<QWidget*>(gesucht))
            return benannt;
        QWidget* gefunden = nullptr;
        for (QWidget* w : frm->findChildren<QWidget*>()) {
            if (text(w) == gesucht) {
                EXPECT_EQ(gefunden, nullptr) << "caption twice: " << name;
                gefunden = w;
            }
        }
        return gefunden;
    }
};

class DesignGeometry : public Fensteraufbau, public testing::WithParamInterface<Kontrolle> {};

TEST_P(DesignGeometry, NameKindPlaceAndCaptionAtNinetySixDpi) {
    laden(); // constructed and started up, not yet shown
    ASSERT_EQ(frm->logicalDpiX(), 96);
    ASSERT_EQ(frm->logicalDpiY(), 96);
    const Kontrolle& k = GetParam();
    QWidget* w = finden(k.name);
    ASSERT_NE(w, nullptr) << k.name;
    EXPECT_TRUE(w->inherits(k.art)) << w->metaObject()->className();
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(k.behaelter));
    EXPECT_EQ(w->geometry(), QRect(k.links / 15, k.oben / 15, k.breite / 15, k.hoehe / 15));
    if (k.beschriftung) {
        EXPECT_EQ(text(w), QString::fromUtf8(k.beschriftung));
    }
}

INSTANTIATE_TEST_SUITE_P(Steuerelemente, DesignGeometry, testing::ValuesIn(kEntwurf),
                         [](const testing::TestParamInfo<Kontrolle>& p) { return "Nr" + std::to_string(p.index); });

TEST_F(Fensteraufbau, WindowCaptionClientSizeAndFiveTabs) {
    laden();
    EXPECT_EQ(frm->objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("VELKOR ZEL Desktop"));
    EXPECT_FALSE(frm->windowIcon().isNull());
    EXPECT_EQ(frm->size(), QSize(8595 / 15, 4905 / 15));
    QTabBar* reiter = frm->tabkenn()->tabBar();
    QStringList texte;
    for (int i = 0; i < reiter->count(); ++i)
        texte << reiter->tabText(i);
    EXPECT_EQ(texte.join('|'), QStringLiteral("&Gewichtsanzeige|&Einstellungen|&Aufzeichnung|&Info|&Verlauf"));
    EXPECT_EQ(reiter->font().pointSizeF(), 9.75);
    EXPECT_EQ(reiter->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(frm->tabkenn()->currentIndex(), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frm->tabkenn()->page(i)->isHidden(), i != 0) << i;
}

TEST_F(Fensteraufbau, InfoNamesTheDataFolderInUse) {
    laden();
    const auto* ordner = frm->findChild<QLabel*>(QStringLiteral("lbldatenordner"));
    ASSERT_NE(ordner, nullptr);
    EXPECT_EQ(ordner->text().trimmed(), QDir::toNativeSeparators(daten.ordner()));
    // The caption is read whole in the window's font, not cut by its cell.
    for (const QLabel* label : frm->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral(" Datenordner:")) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
        }
    }
}

TEST_F(Fensteraufbau, ListsArePickOnlyWithTheirEntries) {
    laden();
    struct Liste {
        QComboBox* box;
        QStringList eintraege;
    };
    QStringList comPorts;
    for (int n = 1; n <= 32; ++n)
        comPorts << QStringLiteral("COM %1").arg(n);
    QStringList tasten;
    for (int n = 1; n <= 12; ++n)
        tasten << QStringLiteral("F%1").arg(n);
    for (const char* gruppe : {"STR", "ALT"}) {
        for (char c = 'A'; c <= 'Z'; ++c)
            tasten << QStringLiteral("%1 - %2").arg(QLatin1String(gruppe)).arg(QLatin1Char(c));
    }
    const shell::PanEigen* eigen = frm->paneigen();
    for (const Liste& l : {Liste{eigen->cboport(), comPorts},
                           Liste{eigen->cbokomma(), {QStringLiteral("Beistrich ( , )"), QStringLiteral("Punkt ( . )")}},
                           Liste{eigen->cboTaste(), tasten}}) {
        EXPECT_FALSE(l.box->isEditable()) << l.box->objectName().toStdString();
        EXPECT_EQ(l.box->lineEdit(), nullptr);
        QStringList ist;
        for (int i = 0; i < l.box->count(); ++i)
            ist << l.box->itemText(i);
        EXPECT_EQ(ist, l.eintraege);
    }
}

TEST_F(Fensteraufbau, FontsOfWeightTabsAndCells) {
    laden();
    const QFont gewicht = frm->txtgewicht()->font();
    EXPECT_EQ(gewicht.family(), QStringLiteral("Arial"));
    EXPECT_FALSE(gewicht.bold());
    EXPECT_FALSE(gewicht.italic());
    const shell::FrmZusatzSalden* rahmen = frm->paneigen()->frmzusatzsalden();
    const auto zellen = rahmen->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(zellen.size(), 2 * 3 + 2 * 6 * 2); // header cells, caption and box cells
    for (const QLabel* zelle : zellen) {
        EXPECT_EQ(zelle->font().family(), QStringLiteral("MS Sans Serif")) << zelle->text().toStdString();
        EXPECT_EQ(zelle->font().pointSizeF(), 8.25) << zelle->text().toStdString();
    }
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        EXPECT_EQ(rahmen->txt(recording::intervallAusIndex(i))->font().pointSizeF(), 8.25) << i;
}

TEST_F(Fensteraufbau, GridIsReadOnlyWithItsTwoColumns) {
    laden();
    QTableView* grid = frm->pankenn()->grdgewichte();
    ASSERT_NE(grid->model(), nullptr);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum / Uhrzeit"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Gewicht"));
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_FALSE(grid->horizontalHeader()->sectionsClickable());
    EXPECT_FALSE(grid->verticalHeader()->isHidden()); // record selector
    EXPECT_EQ(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_TRUE(grid->alternatingRowColors());
    EXPECT_TRUE(grid->horizontalHeader()->stretchLastSection());
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(Fensteraufbau, TabKeyVisitsTheDesignedChainAndWrapsAround) {
    laden();
    frm->tabkenn()->setCurrentIndex(2); // "&Löschen" is a stop only while its page shows
    const shell::PanEigen* eigen = frm->paneigen();
    std::vector<QWidget*> soll = {frm->cmdBeenden(), frm->cmdMinimieren(), eigen->cboport(), eigen->cbokomma(),
                                  eigen->cboTaste()};
    for (QWidget* w : eigen->frmzusatzsalden()->tabReihenfolge())
        soll.push_back(w);
    soll.push_back(frm->pankenn()->grdgewichte());
    soll.push_back(frm->pankenn()->cmdexportieren());
    // The weight display is no stop.
    soll.push_back(frm->cmdlöschen());
    // The controls of the later pages after those of the window's design.
    soll.push_back(frm->panverlauf()->dtptag());
    ASSERT_EQ(soll.size(), 5u + 24u + 4u);

    // Every widget that the Tab key can reach, in the chain's order from cmdBeenden round to it again.
    std::vector<QWidget*> ist;
    QWidget* w = frm->cmdBeenden();
    do {
        const bool verborgen = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
        // A field inside a control (the date chooser's text) hands its focus to the control and is no stop.
        if ((w->focusPolicy() & Qt::TabFocus) && w->window() == frm.get() && !verborgen && !w->focusProxy())
            ist.push_back(w);
        w = w->nextInFocusChain();
    } while (w != frm->cmdBeenden() && ist.size() < 200);
    auto namen = [](const std::vector<QWidget*>& widgets) {
        QStringList n;
        for (const QWidget* widget : widgets)
            n << widget->objectName() + ':' + QLatin1String(widget->metaObject()->className());
        return n;
    };
    EXPECT_EQ(namen(ist).join(QLatin1Char(' ')), namen(soll).join(QLatin1Char(' ')));
}

// The access key of each button, pressed with Alt on the shown window.
struct Zugriff {
    const char* knopf;
    Qt::Key taste;
};

void PrintTo(const Zugriff& z, std::ostream* os) {
    *os << z.knopf;
}

class AccessKeys : public Fensteraufbau, public testing::WithParamInterface<Zugriff> {};

TEST_P(AccessKeys, AltAndTheUnderlinedLetterClickTheButton) {
    laden();
    frm->show();
    QApplication::setActiveWindow(frm.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    frm->tabkenn()->setCurrentIndex(2); // "&Löschen" and "E&xportieren…" show on its page only
    auto* knopf = frm->findChild<QPushButton*>(QString::fromUtf8(GetParam().knopf));
    ASSERT_NE(knopf, nullptr);
    ASSERT_TRUE(knopf->isVisible());
    QSignalSpy geklickt(knopf, &QPushButton::clicked);
    ASSERT_EQ(QGuiApplication::focusWindow(), frm->windowHandle());
    // The export's question is answered here, so no dialog waits for an operator.
    int exportGefragt = 0;
    frm->pankenn()->setExportFrage([&] {
        ++exportGefragt;
        return std::optional<shell::ExportWahl>();
    });
    QTest::keyClick(frm.get(), GetParam().taste, Qt::AltModifier);
    // A button's access key animates the press and clicks when it is released.
    EXPECT_TRUE(QTest::qWaitFor([&] { return geklickt.count() > 0; }, 2000));
    EXPECT_EQ(geklickt.count(), 1);
    EXPECT_EQ(exportGefragt, knopf == frm->pankenn()->cmdexportieren() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Knoepfe, AccessKeys,
                         testing::Values(Zugriff{"cmdBeenden", Qt::Key_B}, Zugriff{"cmdlöschen", Qt::Key_L},
                                         Zugriff{"cmdMinimieren", Qt::Key_M}, Zugriff{"cmdexportieren", Qt::Key_X}),
                         [](const testing::TestParamInfo<Zugriff>& p) {
                             // Test names are ASCII: "cmdlöschen" becomes "cmdloeschen".
                             std::string name = p.param.knopf;
                             if (const auto o = name.find("\xc3\xb6"); o != std::string::npos)
                                 name.replace(o, 2, "oe");
                             return name;
                         });

} // namespace
