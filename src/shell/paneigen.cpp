#include "paneigen.h"

#include "acquisition/portmapping.h"
#include "einstellungen.h"
#include "flachespanel.h"
#include "focusout.h"
#include "frmzusatzsalden.h"
#include "funktionstaste.h"
#include "radnurmitfokus.h"
#include "twips.h"

#include <QComboBox>
#include <QGroupBox>

namespace shell {

namespace {
const auto kPort = QStringLiteral("Port");
const auto kKomma = QStringLiteral("Komma");
constexpr int kPortCount = 32;
} // namespace

PanEigen::PanEigen(Einstellungen& einstellungen, QWidget* parent)
    : QWidget(parent), m_einstellungen(einstellungen), m_allgemein(new QGroupBox(this)) {
    setObjectName(QStringLiteral("paneigen"));
    m_allgemein->setObjectName(QStringLiteral("frmallgemein"));
    m_allgemein->setTitle(QStringLiteral("Allgemeine Einstellungen"));
    placeTwips(m_allgemein, 60, 0, 8235, 795);

    const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
    flachesPanel(m_allgemein, QStringLiteral(" COM Port:"), links, 120, 300, 915, 315);
    m_cboport = addList(m_allgemein, QStringLiteral("cboport"), 1020, 300, 1095, 315);
    flachesPanel(m_allgemein, QStringLiteral(" Dezimaltrennzeichen:"), links, 2160, 300, 1755, 315);
    m_cbokomma = addList(m_allgemein, QStringLiteral("cbokomma"), 3900, 300, 1395, 315);
    flachesPanel(m_allgemein, QStringLiteral(" Funktionstaste:"), links, 5340, 300, 1410, 315);
    m_funktionstaste =
        new FunktionsTaste(addList(m_allgemein, QStringLiteral("cboTaste"), 6720, 300, 1395, 315), einstellungen, this);

    onLostFocus(m_cboport, [this] { cboport_LostFocus(); });
    onLostFocus(m_cbokomma, [this] { cbokomma_LostFocus(); });
    onLostFocus(cboTaste(), [this] { cboTaste_LostFocus(); });

    m_frmzusatzsalden = new FrmZusatzSalden(einstellungen, this);
}

QComboBox* PanEigen::addList(QWidget* parent, const QString& name, int left, int top, int width, int height) {
    // Pick-only: a non-editable combo box offers no way to type an entry.
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    radNurMitFokus(list);
    placeTwips(list, left, top, width, height);
    return list;
}

void PanEigen::cboportFuellen(const acquisition::PortMapping& ports) {
    m_cboport->clear();
    for (int n = 1; n <= kPortCount; ++n) {
        m_cboport->addItem(QStringLiteral("COM %1").arg(n));
        m_cboport->setItemData(n - 1, ports.device(n), Qt::ToolTipRole);
    }
}

void PanEigen::portWiederherstellen() {
    m_cboport->setCurrentIndex(m_einstellungen.wholeNumber(kPort, 0, 0, m_cboport->count() - 1));
}

void PanEigen::cbokommaFuellen() {
    m_cbokomma->clear();
    m_cbokomma->addItem(QStringLiteral("Beistrich ( , )"));
    m_cbokomma->addItem(QStringLiteral("Punkt ( . )"));
}

void PanEigen::kommaWiederherstellen() {
    m_cbokomma->setCurrentIndex(m_einstellungen.wholeNumber(kKomma, 0, 0, m_cbokomma->count() - 1));
}

void PanEigen::cboport_LostFocus() {
    // The open port stays as it is: the choice takes effect at the next start.
    m_einstellungen.write(kPort, m_cboport->currentIndex());
}

QComboBox* PanEigen::cboTaste() const {
    return m_funktionstaste->cboTaste();
}

void PanEigen::cboTaste_LostFocus() {
    m_funktionstaste->cboTaste_LostFocus();
}

void PanEigen::cbokomma_LostFocus() {
    m_einstellungen.write(kKomma, m_cbokomma->currentIndex());
}

} // namespace shell
