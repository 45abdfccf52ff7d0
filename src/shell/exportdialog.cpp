#include "exportdialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

namespace shell {

ExportDialog::ExportDialog(const QDate& heute, QWidget* parent)
    : QDialog(parent), m_heute(heute), m_optheute(new QRadioButton(QStringLiteral("&Heute"), this)),
      m_optgestern(new QRadioButton(QStringLiteral("&Gestern"), this)),
      m_optwoche(new QRadioButton(QStringLiteral("Diese &Woche"), this)),
      m_optalles(new QRadioButton(QStringLiteral("&Alles"), this)),
      m_optvonbis(new QRadioButton(QStringLiteral("&Von"), this)), m_dtpvon(new QDateEdit(heute, this)),
      m_dtpbis(new QDateEdit(heute, this)) {
    setObjectName(QStringLiteral("frmexport"));
    setWindowTitle(QStringLiteral("Exportieren"));
    auto* raster = new QGridLayout(this);
    raster->addWidget(new QLabel(QStringLiteral("Welche Gewichte sollen exportiert werden?"), this), 0, 0, 1, 4);
    int zeile = 1;
    for (QRadioButton* wahl : {m_optheute, m_optgestern, m_optwoche, m_optalles})
        raster->addWidget(wahl, zeile++, 0, 1, 4);
    raster->addWidget(m_optvonbis, zeile, 0);
    raster->addWidget(m_dtpvon, zeile, 1);
    raster->addWidget(new QLabel(QStringLiteral("bis"), this), zeile, 2);
    raster->addWidget(m_dtpbis, zeile, 3);
    for (QDateEdit* datum : {m_dtpvon, m_dtpbis}) {
        datum->setCalendarPopup(true);
        datum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        // Picking a date means the range.
        connect(datum, &QDateEdit::dateChanged, this, [this] {
            m_optvonbis->setChecked(true);
            pruefen();
        });
    }
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_cmdok = knoepfe->button(QDialogButtonBox::Ok);
    m_cmdok->setText(QStringLiteral("&Weiter…"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    raster->addWidget(knoepfe, zeile + 1, 0, 1, 4);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QRadioButton* wahl : {m_optheute, m_optgestern, m_optwoche, m_optalles, m_optvonbis})
        connect(wahl, &QRadioButton::toggled, this, &ExportDialog::pruefen);
    m_optheute->setChecked(true);
}

void ExportDialog::pruefen() {
    // A range that ends before it begins holds nothing; the operator is stopped here rather than given an
    // empty file.
    m_cmdok->setEnabled(!m_optvonbis->isChecked() || m_dtpvon->date() <= m_dtpbis->date());
}

recording::Zeitraum ExportDialog::zeitraum() const {
    using Art = recording::Zeitraum::Art;
    const Art art = m_optheute->isChecked()     ? Art::Heute
                    : m_optgestern->isChecked() ? Art::Gestern
                    : m_optwoche->isChecked()   ? Art::DieseWoche
                    : m_optalles->isChecked()   ? Art::Alles
                                                : Art::VonBis;
    return recording::Zeitraum::fuer(art, m_heute, m_dtpvon->date(), m_dtpbis->date());
}

std::optional<ExportWahl> ExportDialog::fragen(const QDate& heute, QWidget* parent) {
    ExportDialog dialog(heute, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString vorschlag =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("Gewichte-%1.csv").arg(heute.toString(QStringLiteral("yyyy-MM-dd"))));
    QString datei = QFileDialog::getSaveFileName(parent, QStringLiteral("Exportieren nach"), vorschlag,
                                                 QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
    if (datei.isEmpty())
        return std::nullopt;
    if (QFileInfo(datei).suffix().isEmpty())
        datei += QStringLiteral(".csv");
    return ExportWahl{dialog.zeitraum(), datei};
}

} // namespace shell
