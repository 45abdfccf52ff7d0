#include "paneigen.h"

#include "acquisition/portliste.h"
#include "acquisition/portmapping.h"
#include "einstellungen.h"
#include "flachespanel.h"
#include "frmzusatzsalden.h"
#include "funktionstaste.h"
#include "platform/serialdevices.h"
#include "radnurmitfokus.h"
#include "schreibwache.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace shell {

namespace {
const auto kPort = QStringLiteral("Port");
// A device chosen by its own name has a key of its own: "Port" keeps meaning COM 1-32 for older settings.
const auto kPortGeraet = QStringLiteral("PortGeraet");
const auto kKomma = QStringLiteral("Komma");
constexpr int kPortCount = acquisition::PortListe::kComAnzahl;
// A device's name for messages, where its entry says more than that.
constexpr int kNameRolle = Qt::UserRole + 1;
} // namespace

PanEigen::PanEigen(Einstellungen& einstellungen, QWidget* parent)
    : QWidget(parent), m_einstellungen(einstellungen), m_schreibwache(new Schreibwache(this)),
      m_allgemein(new QGroupBox(this)) {
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

    m_schreibwache->anmelden(m_cboport, [this] { cboport_LostFocus(); });
    connect(m_cboport, &QComboBox::activated, this, &PanEigen::portGewaehlt);
    m_schreibwache->anmelden(m_cbokomma, [this] { cbokomma_LostFocus(); });
    m_schreibwache->anmelden(cboTaste(), [this] { cboTaste_LostFocus(); });

    m_frmzusatzsalden = new FrmZusatzSalden(einstellungen, this);
    // Like the weight, the thresholds follow a new choice at once, not from the next start.
    connect(m_cbokomma, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_frmzusatzsalden->setTrennzeichen(index == 1 ? u'.' : u','); });
}

QPushButton* PanEigen::cmdzentraleAnlegen(QWidget* fenster) {
    m_cmdzentrale = new QPushButton(QStringLiteral("&Zentrale…"), fenster);
    m_cmdzentrale->setObjectName(QStringLiteral("cmdzentrale"));
    placeTwips(m_cmdzentrale, 1560, 4440, 1395, 375);
    return m_cmdzentrale;
}

void PanEigen::tabkenn_Switch(int index) {
    if (m_cmdzentrale)
        m_cmdzentrale->setVisible(index == kIndex);
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

void PanEigen::cboportFuellen(const acquisition::PortMapping& ports, const platform::SerialDevices& geraete) {
    m_cboport->clear();
    QStringList comGeraete;
    for (int n = 1; n <= kPortCount; ++n)
        comGeraete << ports.device(n);
    // A device that already stands behind a "COM n" is not offered twice.
    for (const acquisition::PortEintrag& eintrag : acquisition::PortListe::bilden(comGeraete, geraete.vorhandene())) {
        if (eintrag.geraet.isEmpty()) {
            m_cboport->addItem(eintrag.text);
            m_cboport->setItemData(m_cboport->count() - 1, eintrag.tip, Qt::ToolTipRole);
        } else {
            geraetEintragen(eintrag.geraet, eintrag.text, eintrag.text);
        }
    }
}

void PanEigen::geraetEintragen(const QString& pfad, const QString& text, const QString& name) {
    m_cboport->addItem(text, pfad);
    m_cboport->setItemData(m_cboport->count() - 1, pfad, Qt::ToolTipRole);
    m_cboport->setItemData(m_cboport->count() - 1, name, kNameRolle);
    // The box keeps its designed width; its drop-down is as wide as the longest name needs.
    const QFontMetrics metrik(m_cboport->view()->font());
    const int breite = metrik.horizontalAdvance(text) + 4 * metrik.averageCharWidth() +
                       m_cboport->view()->verticalScrollBar()->sizeHint().width();
    m_cboport->view()->setMinimumWidth(std::max(m_cboport->view()->minimumWidth(), breite));
}

void PanEigen::portWiederherstellen() {
    m_gespeichertesGeraet = m_einstellungen.text(kPortGeraet, QString()).trimmed();
    if (m_gespeichertesGeraet.isEmpty()) {
        m_cboport->setCurrentIndex(m_einstellungen.wholeNumber(kPort, 0, 0, kPortCount - 1));
        return;
    }
    int index = m_cboport->findData(m_gespeichertesGeraet);
    if (index < 0) {
        // Unplugged or not yet found: it stays the choice, marked, and the link waits for it.
        const QString name = QFileInfo(m_gespeichertesGeraet).fileName();
        geraetEintragen(m_gespeichertesGeraet, QStringLiteral("%1 (fehlt)").arg(name), name);
        index = m_cboport->count() - 1;
    }
    m_cboport->setCurrentIndex(index);
}

QString PanEigen::gewaehltesGeraet() const {
    return m_cboport->currentIndex() >= kPortCount ? m_cboport->currentData().toString() : QString();
}

QString PanEigen::portName() const {
    const QVariant name = m_cboport->currentData(kNameRolle);
    return name.isValid() ? name.toString() : m_cboport->currentText();
}

void PanEigen::cbokommaFuellen() {
    m_cbokomma->clear();
    m_cbokomma->addItem(QStringLiteral("Beistrich ( , )"));
    m_cbokomma->addItem(QStringLiteral("Punkt ( . )"));
}

void PanEigen::kommaWiederherstellen() {
    m_cbokomma->setCurrentIndex(m_einstellungen.wholeNumber(kKomma, 0, 0, m_cbokomma->count() - 1));
}

void PanEigen::geaendertesSchreiben() {
    m_schreibwache->schreiben();
    m_frmzusatzsalden->geaendertesSchreiben();
}

void PanEigen::cboport_LostFocus() {
    // The port itself has been opened when it was picked; here the choice is kept for the next start.
    const QString geraet = gewaehltesGeraet();
    if (!geraet.isEmpty()) {
        m_einstellungen.write(kPortGeraet, geraet);
    } else {
        m_einstellungen.write(kPort, m_cboport->currentIndex());
        if (!m_gespeichertesGeraet.isEmpty())
            m_einstellungen.write(kPortGeraet, QString());
    }
    m_gespeichertesGeraet = geraet;
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
