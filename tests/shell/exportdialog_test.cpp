// The question before an export: the file proposed for the period chosen, and the dialog saying why it will
// not go on.
#include "recording/csvexport.h"
#include "shell/exportdialog.h"
#include "testdatenbank.h"

#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QDate kHeute(2026, 12, 6); // a Sunday

struct Frage {
    explicit Frage(shell::ExportDialog::LeerFrage leer = {}) : dialog(kHeute, std::move(leer)) {}

    template <typename T> T* teil(const char* name) const {
        auto* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* weiter() const { return teil<QPushButton>("cmdweiter"); }
    QString grund() const { return teil<QLabel>("lblgrund")->text(); }
    void vonBis(const QDate& von, const QDate& bis) const {
        teil<QDateEdit>("dtpvon")->setDate(von);
        teil<QDateEdit>("dtpbis")->setDate(bis);
    }

    shell::ExportDialog dialog;
};

TEST(ExportDialog, TheFileProposedNamesThePeriodChosen) {
    struct Fall {
        const char* wahl;
        QDate von, bis; // for "optvonbis"
        const char* datei;
    };
    const Fall faelle[] = {
        {"optheute", {}, {}, "Gewichte-2026-12-06.csv"},
        {"optgestern", {}, {}, "Gewichte-2026-12-05.csv"},
        {"optwoche", {}, {}, "Gewichte-2026-11-30_2026-12-06.csv"},
        {"optalles", {}, {}, "Gewichte-bis-2026-12-06.csv"},
        {"optvonbis", QDate(2026, 12, 1), QDate(2026, 12, 3), "Gewichte-2026-12-01_2026-12-03.csv"},
        {"optvonbis", QDate(2026, 11, 11), QDate(2026, 11, 11), "Gewichte-2026-11-11.csv"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        Frage frage;
        if (f.von.isValid())
            frage.vonBis(f.von, f.bis);
        frage.teil<QRadioButton>(f.wahl)->click();
        EXPECT_EQ(QFileInfo(frage.dialog.dateivorschlag()).fileName(), QLatin1String(f.datei));
    }
}

TEST(ExportDialog, WeiterIsOffWithItsReasonShownWhileBisLiesBeforeVon) {
    Frage frage;
    const QString grund = QStringLiteral("„bis“ liegt vor „von“");
    frage.vonBis(kHeute, kHeute.addDays(-1));
    EXPECT_TRUE(frage.teil<QRadioButton>("optvonbis")->isChecked());
    EXPECT_FALSE(frage.weiter()->isEnabled());
    EXPECT_EQ(frage.grund(), grund);
    EXPECT_EQ(frage.weiter()->toolTip(), grund);

    // Another period needs no range: on, and nothing to say.
    frage.teil<QRadioButton>("optgestern")->click();
    EXPECT_TRUE(frage.weiter()->isEnabled());
    EXPECT_EQ(frage.grund(), QString());
    EXPECT_EQ(frage.weiter()->toolTip(), QString());

    frage.teil<QRadioButton>("optvonbis")->click();
    EXPECT_FALSE(frage.weiter()->isEnabled());
    EXPECT_EQ(frage.grund(), grund);
    frage.teil<QDateEdit>("dtpbis")->setDate(kHeute);
    EXPECT_TRUE(frage.weiter()->isEnabled());
    EXPECT_EQ(frage.grund(), QString());
}

TEST(ExportDialog, APeriodWithoutWeightsIsToldAndTheDialogStays) {
    TestDatenbank daten;
    daten.mdbAusVorlage();
    TestDatenbank::abfrage(
        daten.mdb(), QStringLiteral("insert into Gewichte (Datum, Gewicht) values ('2026-12-05 14:03:07', 12.5)"));
    int gefragt = 0;
    Frage frage([&](const recording::Zeitraum& zeitraum) {
        ++gefragt;
        return recording::CsvExport::zeitraumLeer(daten.mdb(), zeitraum).value_or(false);
    });
    frage.dialog.show();

    // Today holds nothing: said in the dialog, which stays open for another choice.
    frage.weiter()->click();
    EXPECT_EQ(gefragt, 1);
    EXPECT_TRUE(frage.dialog.isVisible());
    EXPECT_NE(frage.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(frage.grund(), QStringLiteral("Im gewählten Zeitraum sind keine Gewichte aufgezeichnet"));

    frage.teil<QRadioButton>("optgestern")->click();
    EXPECT_EQ(frage.grund(), QString());
    frage.weiter()->click();
    EXPECT_EQ(gefragt, 2);
    EXPECT_EQ(frage.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(frage.dialog.isVisible());
    EXPECT_EQ(frage.dialog.zeitraum().von, kHeute.addDays(-1));
}

} // namespace
