#include "gewichteraster.h"

#include "listenfenster.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>

namespace shell {

GewichteRaster::GewichteRaster(QWidget* parent) : QTableView(parent), m_fenster(new ListenFenster(this)) {
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    QTableView::setModel(m_fenster);
    // A list read anew starts without a current row, as a freshly filled grid does.
    connect(m_fenster, &ListenFenster::listeNeu, this, [this] {
        m_aktuell = -1;
        ersteSetzen(m_fenster->erste());
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int wert) {
        if (!m_eigeneAenderung)
            ersteSetzen(wert);
    });
}

void GewichteRaster::setListe(QAbstractItemModel* liste) {
    m_aktuell = -1;
    m_fenster->setListe(liste);
    ersteSetzen(0);
}

QAbstractItemModel* GewichteRaster::liste() const {
    return m_fenster->liste();
}

int GewichteRaster::ersteZeile() const {
    return m_fenster->erste();
}

int GewichteRaster::ganzeZeilen() const {
    const int hoehe = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / hoehe);
}

void GewichteRaster::ersteSetzen(int erste) {
    const int gesamt = m_fenster->gesamt();
    erste = std::clamp(erste, 0, std::max(0, gesamt - ganzeZeilen()));
    // One row more than fits, for the partly visible one at the bottom.
    m_fenster->setFenster(erste, ganzeZeilen() + 1);
    rollbalkenSetzen();
    aktuelleZeigen();
    viewport()->update();
}

void GewichteRaster::rollbalkenSetzen() {
    const bool vorher = m_eigeneAenderung;
    m_eigeneAenderung = true;
    QScrollBar* balken = verticalScrollBar();
    balken->setRange(0, std::max(0, m_fenster->gesamt() - ganzeZeilen()));
    balken->setPageStep(ganzeZeilen());
    balken->setValue(m_fenster->erste());
    m_eigeneAenderung = vorher;
}

void GewichteRaster::aktuelleZeigen() {
    // The current row follows the list, not the screen: shown where it now stands, or not at all.
    QItemSelectionModel* auswahl = selectionModel();
    if (!auswahl)
        return;
    const bool vorher = m_eigeneAenderung;
    m_eigeneAenderung = true;
    const int zeile = m_aktuell - m_fenster->erste();
    if (m_aktuell >= 0 && zeile >= 0 && zeile < m_fenster->rowCount()) {
        const QModelIndex index = m_fenster->index(zeile, std::max(0, currentIndex().column()));
        auswahl->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        auswahl->clearSelection();
        auswahl->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    }
    m_eigeneAenderung = vorher;
}

void GewichteRaster::zeileZeigen(int zeile) {
    if (m_fenster->gesamt() == 0)
        return;
    m_aktuell = std::clamp(zeile, 0, m_fenster->gesamt() - 1);
    if (m_aktuell < m_fenster->erste())
        ersteSetzen(m_aktuell);
    else if (m_aktuell >= m_fenster->erste() + ganzeZeilen())
        ersteSetzen(m_aktuell - ganzeZeilen() + 1);
    else
        aktuelleZeigen();
}

void GewichteRaster::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!m_eigeneAenderung && current.isValid())
        m_aktuell = m_fenster->erste() + current.row();
    QTableView::currentChanged(current, previous);
}

void GewichteRaster::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // Rows are of the window; scrolling means moving the window through the list.
    if (!index.isValid())
        return;
    const int zeile = m_fenster->erste() + index.row();
    if (hint == PositionAtTop)
        ersteSetzen(zeile);
    else if (hint == PositionAtBottom)
        ersteSetzen(zeile - ganzeZeilen() + 1);
    else if (hint == PositionAtCenter)
        ersteSetzen(zeile - ganzeZeilen() / 2);
    else if (zeile < m_fenster->erste() || zeile >= m_fenster->erste() + ganzeZeilen())
        ersteSetzen(zeile < m_fenster->erste() ? zeile : zeile - ganzeZeilen() + 1);
}

QModelIndex GewichteRaster::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const int gesamt = m_fenster->gesamt();
    if (gesamt == 0)
        return {};
    int zeile = m_aktuell >= 0 ? m_aktuell : m_fenster->erste();
    const int spalte = std::max(0, currentIndex().column());
    const int seite = std::max(1, ganzeZeilen() - 1);
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --zeile;
        break;
    case MoveDown:
    case MoveNext:
        ++zeile;
        break;
    case MovePageUp:
        zeile -= seite;
        break;
    case MovePageDown:
        zeile += seite;
        break;
    case MoveHome:
    case MoveEnd:
        if (!(modifiers & Qt::ControlModifier))
            return QTableView::moveCursor(cursorAction, modifiers);
        zeile = cursorAction == MoveHome ? 0 : gesamt - 1;
        break;
    default:
        return QTableView::moveCursor(cursorAction, modifiers);
    }
    zeileZeigen(zeile);
    return m_fenster->index(m_aktuell - m_fenster->erste(), spalte);
}

void GewichteRaster::updateGeometries() {
    // The table sizes its scroll bar for the window's rows; it is set for the whole list again after.
    const bool vorher = m_eigeneAenderung;
    m_eigeneAenderung = true;
    QTableView::updateGeometries();
    m_eigeneAenderung = vorher;
    rollbalkenSetzen();
}

void GewichteRaster::scrollContentsBy(int dx, int dy) {
    // Vertically the window moves, not the viewport's contents.
    Q_UNUSED(dy);
    QTableView::scrollContentsBy(dx, 0);
}

void GewichteRaster::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    ersteSetzen(m_fenster->erste());
}

} // namespace shell
