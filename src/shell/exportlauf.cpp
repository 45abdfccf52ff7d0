#include "exportlauf.h"

#include "recording/csvexport.h"

#include <QProgressDialog>

namespace shell {

namespace {
// The bar in thousandths: the row count may pass an int.
constexpr int kTeile = 1000;
// A short export finishes before the dialog would show.
constexpr int kZeigenNachMs = 400;
} // namespace

ExportLauf::ExportLauf(std::unique_ptr<recording::CsvExport> ausgabe, QWidget* fenster, QObject* parent)
    : QObject(parent), m_ausgabe(std::move(ausgabe)),
      m_fortschritt(new QProgressDialog(QStringLiteral("Die Gewichte werden exportiert …"), QStringLiteral("Abbrechen"),
                                        0, kTeile, fenster)) {
    m_fortschritt->setObjectName(QStringLiteral("frmfortschritt"));
    m_fortschritt->setWindowTitle(QStringLiteral("Exportieren"));
    m_fortschritt->setWindowModality(Qt::WindowModal);
    m_fortschritt->setMinimumDuration(kZeigenNachMs);
    m_fortschritt->setAutoClose(false);
    m_fortschritt->setAutoReset(false);
    m_fortschritt->setValue(0);
    connect(m_fortschritt, &QProgressDialog::canceled, this, &ExportLauf::abbrechen);
    // Interval 0: one block whenever the event loop has nothing else waiting.
    m_takt.setInterval(0);
    connect(&m_takt, &QTimer::timeout, this, &ExportLauf::schritt);
}

ExportLauf::~ExportLauf() {
    m_takt.stop();
    m_ausgabe->abbrechen();
    delete m_fortschritt;
}

bool ExportLauf::starten() {
    if (!m_ausgabe->beginnen()) {
        m_fehler = m_ausgabe->fehler();
        delete m_fortschritt;
        return false;
    }
    m_takt.start();
    return true;
}

QString ExportLauf::bericht() const {
    return m_ausgabe->bericht();
}

void ExportLauf::schritt() {
    if (m_beendet)
        return;
    if (!m_ausgabe->weiter()) {
        m_fehler = m_ausgabe->fehler();
        beenden(false);
        return;
    }
    const qint64 geschaetzt = std::max<qint64>(1, m_ausgabe->geschaetzt());
    if (m_fortschritt)
        m_fortschritt->setValue(
            static_cast<int>(std::min<qint64>(kTeile - 1, m_ausgabe->geschrieben() * kTeile / geschaetzt)));
    if (!m_ausgabe->gelesen())
        return;
    if (!m_ausgabe->abschliessen())
        m_fehler = m_ausgabe->fehler();
    beenden(m_fehler.isEmpty());
}

void ExportLauf::abbrechen() {
    if (m_beendet)
        return;
    m_ausgabe->abbrechen();
    m_fehler.clear();
    beenden(false);
}

void ExportLauf::beenden(bool erfolg) {
    m_beendet = true;
    m_takt.stop();
    if (m_fortschritt) {
        // Later: this may run inside the dialog's own cancel signal.
        const QSignalBlocker still(m_fortschritt.data());
        m_fortschritt->hide();
        m_fortschritt->deleteLater();
    }
    Q_EMIT beendet(erfolg, m_fehler, m_ausgabe->geschrieben());
}

} // namespace shell
