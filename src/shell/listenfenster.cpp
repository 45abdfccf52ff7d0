#include "listenfenster.h"

#include <algorithm>

namespace shell {

ListenFenster::ListenFenster(QObject* parent) : QAbstractTableModel(parent) {}

void ListenFenster::setListe(QAbstractItemModel* liste) {
    beginResetModel();
    if (m_liste)
        disconnect(m_liste, nullptr, this, nullptr);
    m_liste = liste;
    m_erste = 0;
    if (m_liste) {
        connect(m_liste, &QAbstractItemModel::modelAboutToBeReset, this, &ListenFenster::beginResetModel);
        connect(m_liste, &QAbstractItemModel::modelReset, this, [this] {
            m_erste = 0;
            endResetModel();
            Q_EMIT listeNeu();
        });
        connect(m_liste, &QAbstractItemModel::rowsRemoved, this, &ListenFenster::neuAufsetzen);
        connect(m_liste, &QAbstractItemModel::rowsInserted, this, &ListenFenster::neuAufsetzen);
        connect(m_liste, &QAbstractItemModel::dataChanged, this, [this] {
            if (rowCount() > 0)
                Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
    endResetModel();
}

void ListenFenster::neuAufsetzen() {
    beginResetModel();
    m_erste = std::clamp(m_erste, 0, std::max(0, gesamt() - 1));
    endResetModel();
    Q_EMIT listeNeu();
}

int ListenFenster::gesamt() const {
    return m_liste ? m_liste->rowCount() : 0;
}

int ListenFenster::sichtbar() const {
    return std::clamp(gesamt() - m_erste, 0, m_zeilen);
}

void ListenFenster::setFenster(int erste, int zeilen) {
    erste = std::clamp(erste, 0, std::max(0, gesamt() - 1));
    zeilen = std::max(0, zeilen);
    if (erste == m_erste && zeilen == m_zeilen)
        return;
    const int vorher = sichtbar();
    const int nachher = std::clamp(gesamt() - erste, 0, zeilen);
    // Rows are added or taken away at the bottom and the rest repainted: a reset would make the view
    // forget its column widths.
    if (nachher > vorher) {
        beginInsertRows({}, vorher, nachher - 1);
        m_erste = erste;
        m_zeilen = zeilen;
        endInsertRows();
    } else if (nachher < vorher) {
        beginRemoveRows({}, nachher, vorher - 1);
        m_erste = erste;
        m_zeilen = zeilen;
        endRemoveRows();
    } else {
        m_erste = erste;
        m_zeilen = zeilen;
    }
    if (nachher > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(nachher - 1, columnCount() - 1));
}

int ListenFenster::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sichtbar();
}

int ListenFenster::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_liste ? 0 : m_liste->columnCount();
}

QVariant ListenFenster::data(const QModelIndex& index, int role) const {
    if (!m_liste || !index.isValid())
        return {};
    return m_liste->data(m_liste->index(m_erste + index.row(), index.column()), role);
}

QVariant ListenFenster::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_liste)
        return {};
    return m_liste->headerData(orientation == Qt::Vertical ? m_erste + section : section, orientation, role);
}

} // namespace shell
