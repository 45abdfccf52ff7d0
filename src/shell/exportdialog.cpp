#include "exportdialog.h"

#include "recording/csvexport.h"

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

namespace {
const auto kTagFormat = QStringLiteral("yyyy-MM-dd");
}

ExportDialog::ExportDialog(const QDate& heute, LeerFrage leer, QWidget* parent)
    : QDialog(parent), m_heute(heute), m_optheute(new QRadioButton(QStringLiteral("&Heute"), this)),
      m_optgestern(new QRadioButton(QStringLiteral("&Gestern"), this)),
      m_optwoche(new QRadioButton(QStringLiteral("Diese &Woche"), this)),
      m_optalles(new QRadioButton(QStringLiteral("&Alles"), this)),
      m_optvonbis(new QRadioButton(QStringLiteral("&Von"), this)), m_dtpvon(new QDateEdit(heute, this)),
      m_dtpbis(new QDateEdit(heute, this)), m_lblgrund(new QLabel(this)), m_leer(std::move(leer)) {
    setObjectName(QStringLiteral("frmexport"));
    m_optheute->setObjectName(QStringLiteral("optheute"));
    m_optgestern->setObjectName(QStringLiteral("optgestern"));
    m_optwoche->setObjectName(QStringLiteral("optwoche"));
    m_optalles->setObjectName(QStringLiteral("optalles"));
    m_optvonbis->setObjectName(QStringLiteral("optvonbis"));
    m_dtpvon->setObjectName(QStringLiteral("dtpvon"));
    m_dtpbis->setObjectName(QStringLiteral("dtpbis"));
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
    // A line of its own, kept when empty, so that the dialog does not jump when a reason comes and goes.
    m_lblgrund->setObjectName(QStringLiteral("lblgrund"));
    m_lblgrund->setMinimumHeight(m_lblgrund->fontMetrics().height());
    m_lblgrund->setWordWrap(true);
    raster->addWidget(m_lblgrund, zeile + 1, 0, 1, 4);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_cmdok = knoepfe->button(QDialogButtonBox::Ok);
    m_cmdok->setObjectName(QStringLiteral("cmdweiter"));
    m_cmdok->setText(QStringLiteral("&Weiter…"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    raster->addWidget(knoepfe, zeile + 2, 0, 1, 4);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QRadioButton* wahl : {m_optheute, m_optgestern, m_optwoche, m_optalles, m_optvonbis})
        connect(wahl, &QRadioButton::toggled, this, &ExportDialog::pruefen);
    m_optheute->setChecked(true);
}

void ExportDialog::pruefen() {
    // A range that ends before it begins holds nothing; the operator is stopped here rather than given an
    // empty file, and told why, as the button alone would not say.
    const bool verkehrt = m_optvonbis->isChecked() && m_dtpvon->date() > m_dtpbis->date();
    const QString grund = verkehrt ? QStringLiteral("„bis“ liegt vor „von“") : QString();
    m_cmdok->setEnabled(!verkehrt);
    m_cmdok->setToolTip(grund);
    // Also a period found empty before: another choice is asked anew at the next "&Weiter…".
    m_lblgrund->setText(grund);
}

void ExportDialog::accept() {
    if (m_leer && m_leer(zeitraum())) {
        m_lblgrund->setText(recording::CsvExport::kKeineGewichte);
        return;
    }
    QDialog::accept();
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

QString ExportDialog::dateiname(const recording::Zeitraum& zeitraum, const QDate& heute) {
    const QDate& von = zeitraum.von;
    const QDate& bis = zeitraum.bis;
    QString name;
    if (!von.isValid())
        name = QStringLiteral("bis-") + (bis.isValid() ? bis : heute).toString(kTagFormat);
    else if (!bis.isValid())
        name = QStringLiteral("ab-") + von.toString(kTagFormat);
    else if (von == bis)
        name = von.toString(kTagFormat);
    else
        name = von.toString(kTagFormat) + u'_' + bis.toString(kTagFormat);
    return QStringLiteral("Gewichte-%1.csv").arg(name);
}

QString ExportDialog::dateivorschlag() const {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(dateiname(zeitraum(), m_heute));
}

std::optional<ExportWahl> ExportDialog::fragen(const QDate& heute, QWidget* parent, LeerFrage leer) {
    ExportDialog dialog(heute, std::move(leer), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QString datei = QFileDialog::getSaveFileName(parent, QStringLiteral("Exportieren nach"), dialog.dateivorschlag(),
                                                 QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
    if (datei.isEmpty())
        return std::nullopt;
    if (QFileInfo(datei).suffix().isEmpty())
        datei += QStringLiteral(".csv");
    return ExportWahl{dialog.zeitraum(), datei};
}

} // namespace shell
