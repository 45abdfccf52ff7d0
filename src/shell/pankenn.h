#pragma once

#include "exportdialog.h"
#include "exportlauf.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;

namespace recording {
class Datenbankpflege;
}

namespace shell {

class GewichteRaster;
class Meldungen;
class Statusband;

// Page 2, "Aufzeichnung": the recorded weights newest first in `grdgewichte`, the button
// "E&xportieren…" in a row below them, and the handlers of the window's button "&Löschen", which empties
// the database at once and keeps the old file in the Papierkorb. While the page stays shown, the status band
// offers "Rückgängig" for the last emptying. Without a database (tests of other pages) the list stays empty
// and the handlers only show and hide the button.
class PanKenn final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 90;
    static constexpr int kIndex = 2;
    // The row under the list: the button's height and the margin above it.
    static constexpr int kKnopfHoehe = 375;
    static constexpr int kKnopfBreite = 1395;
    // The status band's line about the last emptying; its button is "papierkorbKnopf".
    static inline const QString kPapierkorbZeile = QStringLiteral("papierkorb");
    // The status band's line about the last export, until the page is left.
    static inline const QString kExportZeile = QStringLiteral("exportbericht");
    // Asks for the period and the file; nothing when the operator cancels.
    using ExportFrage = std::function<std::optional<ExportWahl>()>;

    PanKenn(recording::Datenbankpflege* datenbank, Meldungen& meldungen, QWidget* parent = nullptr);

    // The button stands on the window, below the tab strip; it shows only while this page does.
    QPushButton* cmdlöschenAnlegen(QWidget* fenster);
    // Where the last emptying is told and offered back; without a band neither happens.
    void setStatusband(Statusband* band);
    QPushButton* cmdlöschen() const { return m_cmdlöschen; }
    GewichteRaster* grdgewichte() const { return m_grdgewichte; }
    QPushButton* cmdexportieren() const { return m_cmdexportieren; }
    // Tests answer the question themselves; by default the export dialog and a file dialog ask.
    void setExportFrage(ExportFrage frage) { m_exportFrage = std::move(frage); }
    // The export under way, if any.
    ExportLauf* exportLauf() const { return m_exportLauf; }

    // Start-up: a missing zel.mdb is made from the template, then both data sources are put on it. Each
    // failure is told once, and the program runs on.
    void datenbankEinrichten();
    // The tab strip's switch, with the new tab already current.
    void tabkenn_Switch(int index);
    void cmdlöschen_Click();
    void rueckgaengig_Click();
    void cmdexportieren_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void spaltenbreitenSetzen();
    void listeNachAenderung();
    void angebotZurueckziehen();

    recording::Datenbankpflege* m_datenbank;
    Meldungen& m_meldungen;
    GewichteRaster* m_grdgewichte;
    QPushButton* m_cmdexportieren;
    QPushButton* m_cmdlöschen = nullptr;
    QPointer<Statusband> m_band;
    // The file the last emptying put into the Papierkorb while the page is shown, and its weights.
    QString m_angebot;
    qint64 m_angebotZeilen = 0;
    ExportFrage m_exportFrage;
    QPointer<ExportLauf> m_exportLauf;
};

} // namespace shell
