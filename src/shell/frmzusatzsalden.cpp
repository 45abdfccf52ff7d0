#include "frmzusatzsalden.h"

#include "einstellungen.h"
#include "flachespanel.h"
#include "intervallkasten.h"
#include "platform/schrift.h"
#include "recording/festkomma.h"
#include "schreibwache.h"
#include "schwellenfeld.h"
#include "twips.h"

#include <QLabel>

namespace shell {

namespace {

using recording::Intervall;

struct Zeile {
    Intervall intervall;
    const char* caption;
};

// Top to bottom; the captions' leading blanks pad the numbers into a column.
constexpr std::array<Zeile, 6> kLinks = {{{Intervall::i1h, "   1 Stunde"},
                                          {Intervall::i30m, " 30 Minuten"},
                                          {Intervall::i10m, " 10 Minuten"},
                                          {Intervall::i5m, "   5 Minuten"},
                                          {Intervall::i2m, "   2 Minuten"},
                                          {Intervall::i1m, "   1 Minute"}}};
constexpr std::array<Zeile, 6> kRechts = {{{Intervall::i30s, " 30 Sekunden"},
                                           {Intervall::i20s, " 20 Sekunden"},
                                           {Intervall::i10s, " 10 Sekunden"},
                                           {Intervall::i5s, "   5 Sekunden"},
                                           {Intervall::i2s, "   2 Sekunden"},
                                           {Intervall::i1s, "   1 Sekunde"}}};

struct Spalten {
    int captionLeft;
    int kastenLeft;
    int feldLeft;
};
constexpr int kCaptionWidth = 1455;
constexpr int kKastenWidth = 1095;
constexpr int kFeldWidth = 1395;
constexpr int kKopfTop = 300;
constexpr int kKopfHeight = 495;
constexpr int kZeileTop = 780;
constexpr int kZeileAbstand = 300;
constexpr int kZeileHeight = 315;

constexpr double kMinimum = -99999.99;
constexpr double kMinimum1h = -99999.9;
constexpr double kMaximum = 99999.9;

QString chkName(Intervall intervall) {
    return QStringLiteral("chk") + recording::intervallName(intervall);
}

QString txtName(Intervall intervall) {
    return QStringLiteral("txt") + recording::intervallName(intervall);
}

QFont zellenSchrift() {
    QFont font(platform::entwurfsschrift());
    font.setPointSizeF(8.25);
    return font;
}

int zeileTop(std::size_t zeile) {
    return kZeileTop + kZeileAbstand * static_cast<int>(zeile);
}

} // namespace

FrmZusatzSalden::FrmZusatzSalden(Einstellungen& einstellungen, QWidget* parent)
    : QGroupBox(parent), m_einstellungen(einstellungen), m_schreibwache(new Schreibwache(this)) {
    setObjectName(QStringLiteral("frmzusatzsalden"));
    setTitle(QStringLiteral("Einstellungen zur Aufzeichnung"));
    placeTwips(this, 60, 900, 8235, 2835);
    zellen();
}

void FrmZusatzSalden::zellen() {
    // Created group by group, boxes before fields, so the Tab key visits them in that order.
    const std::array<std::pair<const std::array<Zeile, 6>*, Spalten>, 2> gruppen = {
        {{&kLinks, {120, 1560, 2640}}, {&kRechts, {4200, 5640, 6720}}}};
    for (const auto& [zeilen, spalten] : gruppen) {
        const auto mitte = Qt::AlignHCenter | Qt::AlignVCenter;
        flachesPanel(this, QStringLiteral("Intervall"), mitte, spalten.captionLeft, kKopfTop, kCaptionWidth,
                     kKopfHeight);
        flachesPanel(this, QStringLiteral("aufzeichnen"), mitte, spalten.kastenLeft, kKopfTop, kKastenWidth,
                     kKopfHeight);
        flachesPanel(this, QStringLiteral("bei Gewichts- änderung"), mitte, spalten.feldLeft, kKopfTop, kFeldWidth,
                     kKopfHeight)
            ->setWordWrap(true);

        for (std::size_t k = 0; k < zeilen->size(); ++k) {
            const Zeile& z = zeilen->at(k);
            flachesPanel(this, QString::fromLatin1(z.caption), Qt::AlignLeft | Qt::AlignVCenter, spalten.captionLeft,
                         zeileTop(k), kCaptionWidth, kZeileHeight);
            QLabel* kastenZelle =
                flachesPanel(this, QString(), mitte, spalten.kastenLeft, zeileTop(k), kKastenWidth, kZeileHeight);
            auto* kasten = new IntervallKasten(kastenZelle);
            kasten->setObjectName(chkName(z.intervall));
            placeTwips(kasten, 420, 60, 285, 195);
            const Intervall intervall = z.intervall;
            // The grayed state has no other signal before Qt 6.7, whose checkStateChanged replaces this one.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            connect(kasten, &QCheckBox::stateChanged, this, [this, intervall] { chk_Click(intervall); });
            QT_WARNING_POP
            m_chk.at(platz(intervall)) = kasten;
        }
        for (std::size_t k = 0; k < zeilen->size(); ++k) {
            const Intervall intervall = zeilen->at(k).intervall;
            auto* feld = new Schwellenfeld(intervall == Intervall::i1h ? kMinimum1h : kMinimum, kMaximum, this);
            feld->setObjectName(txtName(intervall));
            feld->setFont(zellenSchrift());
            placeTwips(feld, spalten.feldLeft, zeileTop(k), kFeldWidth, kZeileHeight);
            m_schreibwache->anmelden(feld, [this, intervall] { txt_LostFocus(intervall); });
            m_txt.at(platz(intervall)) = feld;
        }
    }
    // The boxes sit in their cells, so the chain is set explicitly in the designed order.
    const QList<QWidget*> reihe = tabReihenfolge();
    for (qsizetype i = 1; i < reihe.size(); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);
}

QList<QWidget*> FrmZusatzSalden::tabReihenfolge() const {
    QList<QWidget*> reihe;
    for (const auto* zeilen : {&kLinks, &kRechts}) {
        for (bool felder : {false, true}) {
            for (const Zeile& z : *zeilen)
                reihe << (felder ? static_cast<QWidget*>(txt(z.intervall)) : chk(z.intervall));
        }
    }
    return reihe;
}

IntervallKasten* FrmZusatzSalden::chk(Intervall intervall) const {
    return m_chk.at(platz(intervall));
}

Schwellenfeld* FrmZusatzSalden::txt(Intervall intervall) const {
    return m_txt.at(platz(intervall));
}

void FrmZusatzSalden::geaendertesSchreiben() {
    m_schreibwache->schreiben();
}

void FrmZusatzSalden::setTrennzeichen(QChar trennzeichen) {
    for (Schwellenfeld* feld : m_txt)
        feld->setTrennzeichen(trennzeichen);
}

recording::Eingaben FrmZusatzSalden::eingaben() const {
    recording::Eingaben werte;
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        auto& w = werte.at(platz(intervall));
        w.kontrollwert = chk(intervall)->wert();
        // As typed: a new threshold counts from the next tick, even before the field is left and written.
        if (const auto schwelle = txt(intervall)->eingabe())
            w.schwelle = recording::festkomma::ausDouble(*schwelle);
    }
    return werte;
}

QString FrmZusatzSalden::standardwertChk(Intervall intervall) {
    return intervall == Intervall::i10s ? QStringLiteral("1") : QStringLiteral("0");
}

QString FrmZusatzSalden::standardwertTxt(Intervall intervall) {
    return intervall == Intervall::i10s ? QStringLiteral("1") : QStringLiteral("0");
}

void FrmZusatzSalden::kontrollkaestchenWiederherstellen() {
    // A box restored to a set value counts as changed: its click handler writes the value back.
    for (int i = recording::kIntervallAnzahl - 1; i >= 0; --i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const int standard = standardwertChk(intervall).toInt();
        chk(intervall)->setWert(m_einstellungen.wholeNumber(chkName(intervall), standard, 0, 2));
    }
}

void FrmZusatzSalden::schwellenWiederherstellen() {
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const QString standard = standardwertTxt(intervall);
        if (!txt(intervall)->textUebernehmen(m_einstellungen.text(txtName(intervall), standard)))
            txt(intervall)->textUebernehmen(standard);
    }
}

void FrmZusatzSalden::chk_Click(Intervall intervall) {
    m_einstellungen.write(chkName(intervall), chk(intervall)->wert());
}

void FrmZusatzSalden::txt_LostFocus(Intervall intervall) {
    // The leave event reaches this handler before the field itself, so the typed text is taken here.
    Schwellenfeld* feld = txt(intervall);
    feld->eingabeUebernehmen();
    m_einstellungen.write(txtName(intervall), feld->wertAlsText());
}

} // namespace shell
