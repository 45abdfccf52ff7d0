#include "recording_controls_fixture.h"
#include "shell/frmzusatzsalden.h"
#include "shell/intervallkasten.h"
#include "shell/paneigen.h"
#include "shell/schwellenfeld.h"
#include "shell/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

using recording::Intervall;
using shell::FrmZusatzSalden;

namespace {

const QString kSection = QStringLiteral("frm_Settings");

QString w(const char* key, const char* value) {
    return kSection + '/' + QString::fromLatin1(key) + '=' + QString::fromUtf8(value);
}

void verlassen(QWidget* widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}

// Key by key, as the operator types: a key the field refuses is lost, the others stay.
void tippen(shell::Schwellenfeld* feld, const QString& text) {
    feld->selectAll();
    feld->del();
    QTest::keyClicks(feld, text);
}

class RecordingControls : public FrmMainMitAufzeichnung {
protected:
    FrmZusatzSalden& rahmen() { return *frm->paneigen()->frmzusatzsalden(); }
    shell::IntervallKasten* chk(Intervall i) { return rahmen().chk(i); }
    shell::Schwellenfeld* txt(Intervall i) { return rahmen().txt(i); }
};

TEST_F(RecordingControls, FirstStartChecksOnlyTenSecondsAndWritesOnlyThatBack) {
    laden();
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const bool zehn = intervall == Intervall::i10s;
        EXPECT_EQ(chk(intervall)->wert(), zehn ? 1 : 0) << i;
        EXPECT_EQ(txt(intervall)->wert(), std::optional<double>(zehn ? 1.0 : 0.0)) << i;
        EXPECT_EQ(txt(intervall)->text(), zehn ? QStringLiteral("1,0") : QStringLiteral("0,0")) << i;
    }
    EXPECT_EQ(store.inhalt.writes, QStringList{w("chk10s", "1")});
    EXPECT_EQ(store.inhalt.values(), (QMap<QString, QString>{{kSection + QStringLiteral("/chk10s"), "1"}}));
}

TEST_F(RecordingControls, RestoresBoxesFromOneHourDownThenFieldsFromOneSecondUp) {
    laden();
    QStringList reihenfolge;
    for (const QString& key : store.gelesen) {
        if (key.startsWith(QLatin1String("chk")) || key.startsWith(QLatin1String("txt")))
            reihenfolge.append(key);
    }
    const QStringList erwartet = {"chk1h",  "chk30m", "chk10m", "chk5m", "chk2m", "chk1m",  "chk30s", "chk20s",
                                  "chk10s", "chk5s",  "chk2s",  "chk1s", "txt1s", "txt2s",  "txt5s",  "txt10s",
                                  "txt20s", "txt30s", "txt1m",  "txt2m", "txt5m", "txt10m", "txt30m", "txt1h"};
    EXPECT_EQ(reihenfolge, erwartet);
}

TEST_F(RecordingControls, SetBoxesWriteThemselvesBackInRestoreOrder) {
    setting("chk1s", "1");
    setting("chk5m", "1");
    setting("chk1h", "1");
    setting("chk10s", "0");
    setting("chk2s", "2");
    laden();
    EXPECT_EQ(store.inhalt.writes, (QStringList{w("chk1h", "1"), w("chk5m", "1"), w("chk2s", "2"), w("chk1s", "1")}));
    EXPECT_EQ(chk(Intervall::i10s)->wert(), 0);
}

struct Kaputt {
    const char* key;
    const char* gespeichert;
    int kontrollwert;               // for chk keys
    std::optional<double> schwelle; // for txt keys
};

void PrintTo(const Kaputt& k, std::ostream* os) {
    *os << k.key << '=' << '"' << k.gespeichert << '"';
}

class GarbageValues : public RecordingControls, public testing::WithParamInterface<Kaputt> {};

TEST_P(GarbageValues, FallBackToTheKeysDefault) {
    const Kaputt& k = GetParam();
    setting(k.key, k.gespeichert);
    laden();
    const QString key = QString::fromLatin1(k.key);
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        if (QStringLiteral("chk") + recording::intervallName(intervall) == key) {
            EXPECT_EQ(chk(intervall)->wert(), k.kontrollwert) << k.gespeichert;
        }
        if (QStringLiteral("txt") + recording::intervallName(intervall) == key) {
            EXPECT_EQ(txt(intervall)->wert(), k.schwelle) << k.gespeichert;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gespeichert, GarbageValues,
    testing::Values(Kaputt{"chk1s", "abc", 0, {}}, Kaputt{"chk10s", "x", 1, {}}, Kaputt{"chk10s", "", 1, {}},
                    Kaputt{"chk2s", "5", 0, {}}, Kaputt{"chk2s", "-1", 0, {}}, Kaputt{"chk5s", " 1 ", 1, {}},
                    Kaputt{"chk1m", "2", 2, {}}, Kaputt{"txt1s", "abc", 0, 0.0}, Kaputt{"txt10s", "zz", 0, 1.0},
                    Kaputt{"txt2s", "1e9", 0, 0.0}, Kaputt{"txt1h", "-99999,95", 0, 0.0},
                    Kaputt{"txt5s", "-99999,99", 0, -99999.99}, Kaputt{"txt1h", "-99999,9", 0, -99999.9},
                    Kaputt{"txt20s", "99999,91", 0, 0.0}, Kaputt{"txt30m", "", 0, std::nullopt},
                    Kaputt{"txt2m", "12,5", 0, 12.5}, Kaputt{"txt5m", "12.5", 0, 12.5},
                    Kaputt{"txt10m", "1.234,5", 0, 1234.5}, Kaputt{"txt10s", "-3", 0, -3.0}));

TEST_F(RecordingControls, GrayedBoxIsRestoredWrittenBackAndClickedToUnchecked) {
    setting("chk1s", "2");
    laden();
    EXPECT_EQ(chk(Intervall::i1s)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(rahmen().eingaben().at(0).kontrollwert, 2);
    EXPECT_EQ(store.inhalt.writes, (QStringList{w("chk10s", "1"), w("chk1s", "2")}));
    chk(Intervall::i1s)->click();
    EXPECT_EQ(chk(Intervall::i1s)->wert(), 0);
    chk(Intervall::i1s)->click();
    EXPECT_EQ(chk(Intervall::i1s)->wert(), 1);
    EXPECT_EQ(store.inhalt.writes.mid(2), (QStringList{w("chk1s", "0"), w("chk1s", "1")}));
}

TEST_F(RecordingControls, EachClickWritesTheBoxsNewValue) {
    laden();
    store.inhalt.writes.clear();
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const QByteArray key = ("chk" + recording::intervallName(intervall)).toLatin1();
        const bool vorher = chk(intervall)->wert() == 1;
        chk(intervall)->click();
        chk(intervall)->click();
        EXPECT_EQ(store.inhalt.writes.mid(2 * i, 2),
                  (QStringList{w(key.constData(), vorher ? "0" : "1"), w(key.constData(), vorher ? "1" : "0")}));
    }
}

TEST_F(RecordingControls, EachFieldWritesOnLeavingAlsoWithoutChange) {
    setting("txt2m", "2,5");
    laden();
    store.inhalt.writes.clear();
    QStringList erwartet;
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const QByteArray key = ("txt" + recording::intervallName(intervall)).toLatin1();
        verlassen(txt(intervall));
        erwartet.append(w(key.constData(), intervall == Intervall::i10s  ? "1"
                                           : intervall == Intervall::i2m ? "2,5"
                                                                         : "0"));
    }
    EXPECT_EQ(store.inhalt.writes, erwartet);
}

struct Eingabe {
    const char* getippt;
    int komma; // 0 "Beistrich", 1 "Punkt"
    std::optional<double> wert;
    const char* angezeigt;
    const char* geschrieben;
};

void PrintTo(const Eingabe& e, std::ostream* os) {
    *os << '"' << e.getippt << "\" " << (e.komma == 0 ? "Beistrich" : "Punkt");
}

class TypedThresholds : public RecordingControls, public testing::WithParamInterface<Eingabe> {
protected:
    void typeAndLeave(const QLocale& locale) {
        QLocale::setDefault(locale);
        laden();
        frm->paneigen()->cbokomma()->setCurrentIndex(GetParam().komma);
        store.inhalt.writes.clear();
        shell::Schwellenfeld* feld = txt(Intervall::i30s);
        tippen(feld, QString::fromUtf8(GetParam().getippt));
        verlassen(feld);
        EXPECT_EQ(feld->wert(), GetParam().wert);
        EXPECT_EQ(feld->text(), QString::fromUtf8(GetParam().angezeigt));
        EXPECT_EQ(store.inhalt.writes, QStringList{w("txt30s", GetParam().geschrieben)});
    }
};

// Both marks type the separator, in whatever language the computer runs; the field shows and stores the
// chosen one. An emptied field holds no number: it writes "" and its interval never records. A key that
// would leave the range or the number form is refused, so the field holds what was typed before it.
TEST_P(TypedThresholds, AreTakenShownAndWrittenWithTheChosenSeparatorInGerman) {
    typeAndLeave(QLocale(QLocale::German, QLocale::Germany));
}

TEST_P(TypedThresholds, AreTakenShownAndWrittenWithTheChosenSeparatorInEnglish) {
    typeAndLeave(QLocale(QLocale::English, QLocale::UnitedStates));
}

INSTANTIATE_TEST_SUITE_P(
    Getippt, TypedThresholds,
    testing::Values(Eingabe{"2,5", 0, 2.5, "2,5", "2,5"}, Eingabe{"2.5", 0, 2.5, "2,5", "2,5"},
                    Eingabe{"2,5", 1, 2.5, "2.5", "2.5"}, Eingabe{"2.5", 1, 2.5, "2.5", "2.5"},
                    Eingabe{"1234,56", 0, 1234.56, "1234,6", "1234,56"}, Eingabe{"-0,5", 1, -0.5, "-0.5", "-0.5"},
                    Eingabe{"", 0, std::nullopt, "", ""}, Eingabe{"100000", 0, 10000.0, "10000,0", "10000"},
                    Eingabe{"123456789012", 0, 12345.0, "12345,0", "12345"},
                    Eingabe{"-100000", 1, -10000.0, "-10000.0", "-10000"}, Eingabe{"1.234,5", 0, 1.23, "1,2", "1,23"},
                    Eingabe{"99999,99", 0, 99999.9, "99999,9", "99999,9"}, Eingabe{"12a,b5", 0, 12.5, "12,5", "12,5"}));

TEST_F(RecordingControls, RefusedKeyTellsWhatTheFieldTakes) {
    laden();
    shell::Schwellenfeld* feld = txt(Intervall::i1h);
    tippen(feld, QStringLiteral("123456"));
    EXPECT_EQ(feld->text(), QStringLiteral("12345"));
    EXPECT_EQ(QToolTip::text(),
              QStringLiteral("Eine Zahl von -99999,9 bis 99999,9, mit höchstens zwei Nachkommastellen"));
    frm->paneigen()->cbokomma()->setCurrentIndex(1);
    tippen(feld, QStringLiteral("1,234"));
    EXPECT_EQ(feld->text(), QStringLiteral("1,23"));
    EXPECT_EQ(QToolTip::text(),
              QStringLiteral("Eine Zahl von -99999.9 bis 99999.9, mit höchstens zwei Nachkommastellen"));
}

// A value kept by an earlier version in the grouped form of the computer's language is still read; it
// shows, and is written back, in the chosen form, which follows a new choice at once.
TEST_F(RecordingControls, StoredGroupedValueIsReadAndFollowsTheChosenSeparator) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setting("txt1s", "1,234.5");
    laden();
    EXPECT_EQ(txt(Intervall::i1s)->wert(), 1234.5);
    EXPECT_EQ(txt(Intervall::i1s)->text(), QStringLiteral("1234,5"));
    store.inhalt.writes.clear();
    verlassen(txt(Intervall::i1s));
    frm->paneigen()->cbokomma()->setCurrentIndex(1);
    EXPECT_EQ(txt(Intervall::i1s)->text(), QStringLiteral("1234.5"));
    EXPECT_EQ(txt(Intervall::i10s)->text(), QStringLiteral("1.0"));
    verlassen(txt(Intervall::i1s));
    EXPECT_EQ(store.inhalt.writes, (QStringList{w("txt1s", "1234,5"), w("txt1s", "1234.5")}));
}

TEST_F(RecordingControls, FrameAndHeaderCellsSitAtTheirDesign) {
    laden();
    const shell::Twips t(96, 96);
    auto twips = [&](const QWidget* widget) {
        const QRect r = widget->geometry();
        return QRect(t.toTwipsX(r.x()), t.toTwipsY(r.y()), t.toTwipsX(r.width()), t.toTwipsY(r.height()));
    };
    ASSERT_EQ(shell::Twips::forWidget(frm.get()).x(1440), 96) << "the layout is checked at 96 DPI";
    EXPECT_EQ(rahmen().objectName(), QStringLiteral("frmzusatzsalden"));
    EXPECT_EQ(rahmen().title(), QStringLiteral("Einstellungen zur Aufzeichnung"));
    EXPECT_EQ(rahmen().parentWidget(), frm->paneigen());
    EXPECT_EQ(twips(&rahmen()), QRect(60, 900, 8235, 2835));

    QMultiMap<QString, QRect> zellen;
    for (const QLabel* label : rahmen().findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        zellen.insert(label->text(), twips(label));
    EXPECT_EQ(zellen.values(QStringLiteral("Intervall")),
              (QList<QRect>{{4200, 300, 1455, 495}, {120, 300, 1455, 495}}));
    EXPECT_EQ(zellen.values(QStringLiteral("aufzeichnen")),
              (QList<QRect>{{5640, 300, 1095, 495}, {1560, 300, 1095, 495}}));
    EXPECT_EQ(zellen.values(QStringLiteral("bei Gewichts- änderung")),
              (QList<QRect>{{6720, 300, 1395, 495}, {2640, 300, 1395, 495}}));

    struct Soll {
        Intervall intervall;
        const char* caption;
        int links;
        int zeile;
    };
    const std::vector<Soll> tabelle = {{Intervall::i1h, "   1 Stunde", 0, 0},   {Intervall::i30m, " 30 Minuten", 0, 1},
                                       {Intervall::i10m, " 10 Minuten", 0, 2},  {Intervall::i5m, "   5 Minuten", 0, 3},
                                       {Intervall::i2m, "   2 Minuten", 0, 4},  {Intervall::i1m, "   1 Minute", 0, 5},
                                       {Intervall::i30s, " 30 Sekunden", 1, 0}, {Intervall::i20s, " 20 Sekunden", 1, 1},
                                       {Intervall::i10s, " 10 Sekunden", 1, 2}, {Intervall::i5s, "   5 Sekunden", 1, 3},
                                       {Intervall::i2s, "   2 Sekunden", 1, 4}, {Intervall::i1s, "   1 Sekunde", 1, 5}};
    for (const Soll& s : tabelle) {
        const int top = 780 + 300 * s.zeile;
        const int versatz = s.links == 0 ? 0 : 4080;
        const QString caption = QString::fromLatin1(s.caption);
        EXPECT_EQ(zellen.values(caption), QList<QRect>{QRect(120 + versatz, top, 1455, 315)}) << s.caption;
        const shell::IntervallKasten* kasten = chk(s.intervall);
        EXPECT_EQ(kasten->objectName(), QStringLiteral("chk") + recording::intervallName(s.intervall));
        EXPECT_TRUE(kasten->text().isEmpty());
        EXPECT_EQ(twips(kasten->parentWidget()), QRect(1560 + versatz, top, 1095, 315)) << s.caption;
        EXPECT_EQ(twips(kasten), QRect(420, 60, 285, 195)) << s.caption;
        EXPECT_EQ(txt(s.intervall)->objectName(), QStringLiteral("txt") + recording::intervallName(s.intervall));
        EXPECT_EQ(twips(txt(s.intervall)), QRect(2640 + versatz, top, 1395, 315)) << s.caption;
        EXPECT_DOUBLE_EQ(txt(s.intervall)->maximum(), 99999.9);
        EXPECT_DOUBLE_EQ(txt(s.intervall)->minimum(), s.intervall == Intervall::i1h ? -99999.9 : -99999.99);
    }
}

TEST_F(RecordingControls, TabVisitsLeftBoxesLeftFieldsRightBoxesRightFields) {
    laden();
    const std::vector<Intervall> links = {Intervall::i1h, Intervall::i30m, Intervall::i10m,
                                          Intervall::i5m, Intervall::i2m,  Intervall::i1m};
    const std::vector<Intervall> rechts = {Intervall::i30s, Intervall::i20s, Intervall::i10s,
                                           Intervall::i5s,  Intervall::i2s,  Intervall::i1s};
    std::vector<QWidget*> erwartet;
    for (const auto* gruppe : {&links, &rechts}) {
        for (Intervall i : *gruppe)
            erwartet.push_back(chk(i));
        for (Intervall i : *gruppe)
            erwartet.push_back(txt(i));
    }
    for (std::size_t k = 0; k + 1 < erwartet.size(); ++k) {
        QWidget* naechstes = erwartet[k]->nextInFocusChain();
        while (!(naechstes->focusPolicy() & Qt::TabFocus))
            naechstes = naechstes->nextInFocusChain();
        EXPECT_EQ(naechstes, erwartet[k + 1]) << k;
    }
}

} // namespace
