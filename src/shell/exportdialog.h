#pragma once

#include "recording/zeitraum.h"

#include <QDialog>
#include <optional>

class QDateEdit;
class QRadioButton;

namespace shell {

// What the operator chose for an export: the period and the file.
struct ExportWahl {
    recording::Zeitraum zeitraum;
    QString datei;
};

// The question before an export: which period (today, yesterday, this week, everything, or from–to).
class ExportDialog final : public QDialog {
    Q_OBJECT
public:
    ExportDialog(const QDate& heute, QWidget* parent = nullptr);

    recording::Zeitraum zeitraum() const;

    // The period, then the file (a save dialog, ".csv" added when no ending is given); nothing when the
    // operator cancels either.
    static std::optional<ExportWahl> fragen(const QDate& heute, QWidget* parent);

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
    QPushButton* m_cmdok;
};

} // namespace shell
