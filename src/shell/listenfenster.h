#pragma once

#include <QAbstractTableModel>
#include <QPointer>

namespace shell {

// The rows of a long list that fit on the screen, from `erste()` on. A view never learns how long the list
// is: an item view keeps bookkeeping per row, which for millions of rows would cost more time and memory
// than the list itself.
class ListenFenster final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListenFenster(QObject* parent = nullptr);

    void setListe(QAbstractItemModel* liste);
    QAbstractItemModel* liste() const { return m_liste; }
    int gesamt() const;
    int erste() const { return m_erste; }
    // Shows `zeilen` rows from `erste` on; both are kept within the list.
    void setFenster(int erste, int zeilen);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The list itself changed (read anew, or found shorter): the view starts over at its top.
    void listeNeu();

private:
    int sichtbar() const;
    void neuAufsetzen();

    QPointer<QAbstractItemModel> m_liste;
    int m_erste = 0;
    int m_zeilen = 0;
};

} // namespace shell
