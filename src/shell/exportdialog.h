#pragma once

#include "recording/zeitraum.h"

#include <QDialog>
#include <functional>
#include <optional>

class QDateEdit;
class QLabel;
class QRadioButton;

namespace shell {

// What the operator chose for an export: the period and the file.
struct ExportWahl {
    recording::Zeitraum zeitraum;
    QString datei;
};

// The question before an export: which period (today, yesterday, this week, everything, or from–to). A line
// above the buttons says why "&Weiter…" is off, or that the period holds no weights.
class ExportDialog final : public QDialog {
    Q_OBJECT
public:
    // Whether a period is known to hold no weights.
    using LeerFrage = std::function<bool(const recording::Zeitraum&)>;

    explicit ExportDialog(const QDate& heute, LeerFrage leer = {}, QWidget* parent = nullptr);

    recording::Zeitraum zeitraum() const;
    // The file proposed for the period chosen, in the documents folder.
    QString dateivorschlag() const;
    // "Gewichte-2026-12-05.csv" for a day, "Gewichte-2026-11-30_2026-12-06.csv" for a range,
    // "Gewichte-bis-2026-12-06.csv" for everything up to today.
    static QString dateiname(const recording::Zeitraum& zeitraum, const QDate& heute);

    // The period, then the file (a save dialog, ".csv" added when no ending is given); nothing when the
    // operator cancels either.
    static std::optional<ExportWahl> fragen(const QDate& heute, QWidget* parent, LeerFrage leer = {});

public Q_SLOTS:
    // Stays open on a period without weights: an empty file is of no use to anyone.
    void accept() override;

private:
    void pruefen();

    QDate m_heute;
    QRadioButton* m_optheute;
    QRadioButton* m_optgestern;
    QRadioButton* m_optwoche;
    QRadioButton* m_optalles;
    QRadioButton* m_optvonbis;
    QDateEdit* m_dtpvon;
    QDateEdit* m_dtpbis;
    QLabel* m_lblgrund;
    QPushButton* m_cmdok;
    LeerFrage m_leer;
};

} // namespace shell
