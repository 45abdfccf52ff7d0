#pragma once

#include <QTableView>

namespace shell {

class ListenFenster;

// The grid of the record list. It shows only the rows on screen (ListenFenster) and runs its vertical
// scroll bar over the whole list itself, so that opening, scrolling and jumping cost the same for ten
// rows and for ten million. Keys, wheel and scroll bar move through the whole list; the current row is
// remembered as a row of the list, not of the screen.
class GewichteRaster final : public QTableView {
    Q_OBJECT
public:
    explicit GewichteRaster(QWidget* parent = nullptr);

    void setListe(QAbstractItemModel* liste);
    QAbstractItemModel* liste() const;
    // The list's row at the top of the grid, and the current row (-1 for none).
    int ersteZeile() const;
    int aktuelleZeile() const { return m_aktuell; }
    // Rows that fit completely into the grid.
    int ganzeZeilen() const;
    // Brings a row of the list into view (at the top, or just so), and makes it current.
    void zeileZeigen(int zeile);

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ersteSetzen(int erste);
    void rollbalkenSetzen();
    void aktuelleZeigen();

    ListenFenster* m_fenster;
    int m_aktuell = -1;
    bool m_eigeneAenderung = false;
};

} // namespace shell
