// The fitting rule on controls of known room, in this run's fonts: a text that fits leaves its control as
// designed; one that does not takes the narrow face where the run has one, then free room beside it, then its
// face narrowed by the engine, and last more room above its neighbour; and it gets its design font back once
// its text fits again.
#include "schriftbestand.h"
#include "shell/textraum.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const auto kText = QStringLiteral(" Dezimaltrennzeichen:");

enum class Ausgang { Entwurf, Schmal, Gewachsen, Gestreckt, Notfall };

struct Fall {
    const char* name;
    double anteil;                 // the label's width as a share of the text's width in the design font
    int freiLinks;                 // pixels free left of the label
    int freiRechts;                // pixels free right of it
    Ausgang mitSchmal, ohneSchmal; // what the rule does where the run has a narrow face, and where it has none
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.name;
}

// A tenth too narrow: the narrow faces make up 18 % (Liberation) and 10 % (DejaVu), the engine down to 20 %.
// Six tenths: neither face nor engine make it up.
const Fall kFaelle[] = {
    {"Passt", 1.05, 0, 0, Ausgang::Entwurf, Ausgang::Entwurf},
    {"KnappOhneRaum", 0.93, 0, 0, Ausgang::Schmal, Ausgang::Gestreckt},
    {"KnappMitRaumLinks", 0.93, 40, 0, Ausgang::Schmal, Ausgang::Gewachsen},
    {"WeitMitRaumRechts", 0.6, 0, 200, Ausgang::Gewachsen, Ausgang::Gewachsen},
    {"WeitMitRaumBeiderseits", 0.6, 30, 30, Ausgang::Gewachsen, Ausgang::Gewachsen},
    {"WeitOhneRaum", 0.6, 0, 0, Ausgang::Notfall, Ausgang::Notfall},
};

class Textraum : public testing::TestWithParam<Fall> {
protected:
    void SetUp() override {
        const Schriftbestand* bestand = schriftbestand();
        ASSERT_NE(bestand, nullptr);
        schmal = QString::fromLatin1(bestand->schmaleFamilie);
        entwurf = QFont(QString::fromLatin1(bestand->grundschrift));
        entwurf.setPointSizeF(8.25);
        behaelter.setFont(entwurf);
        behaelter.resize(600, 100);
    }

    // A label without frame, whose room is its width, between two neighbours the case's pixels away; the
    // left one stands at the container's edge.
    QLabel* aufstellen(const Fall& f) {
        const double text = QFontMetrics(entwurf, &behaelter).horizontalAdvance(kText);
        linkerNachbar = new QLabel(&behaelter);
        linkerNachbar->setGeometry(0, 10, 50, 30);
        auto* label = new QLabel(kText, &behaelter);
        label->setGeometry(50 + f.freiLinks, 10, static_cast<int>(std::ceil(text * f.anteil)), 30);
        // Made after the label, so drawn above it.
        rechterNachbar = new QLabel(&behaelter);
        rechterNachbar->setGeometry(label->geometry().right() + 1 + f.freiRechts, 10, 40, 30);
        return label;
    }

    QWidget behaelter;
    QFont entwurf;
    QString schmal;
    QLabel* linkerNachbar = nullptr;
    QLabel* rechterNachbar = nullptr;
};

TEST_P(Textraum, LabelTakesTheFirstWayThatShowsItsTextWhole) {
    const Fall& f = GetParam();
    QLabel* label = aufstellen(f);
    const QRect vorher = label->geometry();
    shell::Textraum::einpassen(&behaelter);

    EXPECT_EQ(shell::Textraum::fehlt(label, label->font()), QSize(0, 0)) << label->width();
    const Ausgang soll = schmal.isEmpty() ? f.ohneSchmal : f.mitSchmal;
    const QFontInfo ist(label->font());
    switch (soll) {
    case Ausgang::Entwurf:
    case Ausgang::Gewachsen:
        EXPECT_FALSE(label->testAttribute(Qt::WA_SetFont)) << "the container's font, inherited";
        EXPECT_EQ(label->font(), entwurf);
        break;
    case Ausgang::Schmal:
        EXPECT_EQ(ist.family(), schmal);
        EXPECT_EQ(label->font().pointSizeF(), entwurf.pointSizeF());
        break;
    case Ausgang::Gestreckt:
        EXPECT_EQ(ist.family(), QFontInfo(entwurf).family());
        EXPECT_LT(label->font().stretch(), 100);
        EXPECT_GE(label->font().stretch(), shell::Textraum::kMindestStreckung);
        break;
    case Ausgang::Notfall:
        EXPECT_EQ(label->font(), entwurf);
        break;
    }
    if (soll == Ausgang::Entwurf || soll == Ausgang::Schmal || soll == Ausgang::Gestreckt) {
        EXPECT_EQ(label->geometry(), vorher);
    } else if (soll == Ausgang::Gewachsen) {
        EXPECT_GT(label->width(), vorher.width());
        EXPECT_FALSE(label->geometry().intersects(linkerNachbar->geometry()));
        EXPECT_FALSE(label->geometry().intersects(rechterNachbar->geometry()));
        EXPECT_EQ(label->y(), vorher.y());
    } else {
        // Over its neighbour, and drawn above it.
        EXPECT_GT(label->width(), vorher.width());
        const QObjectList& kinder = behaelter.children();
        EXPECT_GT(kinder.indexOf(label), kinder.indexOf(rechterNachbar));
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Textraum, testing::ValuesIn(kFaelle),
                         [](const testing::TestParamInfo<Fall>& p) { return std::string(p.param.name); });

class TextraumFolgt : public Textraum {};

TEST_F(TextraumFolgt, DesignFontReturnsOnceTheTextFitsAgain) {
    QLabel* label = aufstellen(kFaelle[1]);
    shell::Textraum::einpassen(&behaelter);
    ASSERT_TRUE(label->testAttribute(Qt::WA_SetFont)) << "a narrower font for the long text";
    label->setText(QStringLiteral(" Komma:"));
    shell::Textraum::einpassen(&behaelter);
    EXPECT_FALSE(label->testAttribute(Qt::WA_SetFont));
    EXPECT_EQ(label->font(), entwurf);
}

TEST_F(TextraumFolgt, AttachedContainerFitsWhenShownAndWhenATextChanges) {
    auto* label = new QLabel(QStringLiteral("Punkt"), &behaelter);
    const int breite = QFontMetrics(entwurf, &behaelter).horizontalAdvance(kText) * 9 / 10;
    label->setGeometry(0, 10, breite, 30);
    auto* nachbar = new QLabel(&behaelter);
    nachbar->setGeometry(breite, 10, 40, 30);
    shell::Textraum::anbringen(&behaelter);
    behaelter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&behaelter));
    label->setText(kText);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell::Textraum::fehlt(label, label->font()) == QSize(0, 0); }, 1000));
    EXPECT_EQ(label->geometry(), QRect(0, 10, breite, 30));
}

TEST_F(TextraumFolgt, ClosedListShowsEachEntryWhole) {
    auto* liste = new QComboBox(&behaelter);
    liste->addItems({QStringLiteral("Punkt ( . )"), QStringLiteral("Beistrich ( , )")});
    // Five pixels short of "Beistrich ( , )", with neighbours hard on both sides.
    liste->setGeometry(50, 10, 40, 22);
    const int zuSchmal = shell::Textraum::fehlt(liste, liste->font()).width();
    ASSERT_GT(zuSchmal, 5);
    liste->setGeometry(50, 10, 40 + zuSchmal - 5, 22);
    ASSERT_EQ(shell::Textraum::fehlt(liste, liste->font()).width(), 5);
    (new QLabel(&behaelter))->setGeometry(0, 10, 50, 22);
    (new QLabel(&behaelter))->setGeometry(liste->geometry().right() + 1, 10, 40, 22);
    const QRect vorher = liste->geometry();
    shell::Textraum::einpassen(&behaelter);
    EXPECT_EQ(shell::Textraum::fehlt(liste, liste->font()), QSize(0, 0));
    EXPECT_EQ(liste->geometry(), vorher);
}

TEST_F(TextraumFolgt, HeaderSectionTooNarrowForItsBoldCaptionGrows) {
    QStandardItemModel modell(1, 2);
    modell.setHorizontalHeaderLabels({QStringLiteral("Datum / Uhrzeit"), QStringLiteral("Gewicht")});
    auto* liste = new QTableView(&behaelter);
    liste->setModel(&modell);
    liste->setGeometry(0, 0, 400, 100);
    QHeaderView* kopf = liste->horizontalHeader();
    kopf->resizeSection(0, QFontMetrics(kopf->font(), kopf).horizontalAdvance(QStringLiteral("Datum / Uhrzeit")));
    ASSERT_GT(shell::Textraum::fehlt(kopf, kopf->font()).width(), 0);
    shell::Textraum::einpassen(&behaelter);
    EXPECT_EQ(shell::Textraum::fehlt(kopf, kopf->font()), QSize(0, 0));
}

} // namespace
