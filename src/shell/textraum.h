#pragma once

#include <QObject>
#include <QSize>

class QFont;
class QHeaderView;
class QWidget;

namespace shell {

// Keeps the texts of a container's controls readable whole with whatever fonts the computer has. The design's
// twip sizes were made for MS Sans Serif; the faces a Debian system offers in its place run wider, DejaVu Sans
// by a tenth, and so does Windows' Segoe UI. After layout each label, button, list and column header is
// measured in the room its control gives its text. A control whose text fits keeps the design's font, place
// and size; one whose text does not takes, in this order:
//   1. the narrow face of its font's family (Liberation Sans Narrow, DejaVu Sans Condensed, Arial Narrow),
//      found by its family name;
//   2. more room, where the space beside it is free;
//   3. its own face narrowed by the font engine, down to kMindestStreckung;
//   4. more room regardless, raised above its neighbours.
// Column headers only ever take more room: a column's width is the list's own choice.
class Textraum final : public QObject {
    Q_OBJECT
public:
    // Narrower than this a face drawn by the engine looks squeezed.
    static constexpr int kMindestStreckung = 80;

    // Fits the container's visible controls each time it is shown, resized, or told that a control in it
    // changed its text.
    static void anbringen(QWidget* behaelter);
    // One pass over the container's visible controls, now.
    static void einpassen(QWidget* behaelter);
    // Width and height the control's texts lack in this font; (0, 0) where they fit, and for controls that
    // carry no text of their own.
    static QSize fehlt(const QWidget* control, const QFont& schrift);
    // The narrow face of the family this font resolves to, as fontconfig or Windows knows it by name; empty
    // where none is installed.
    static QString schmaleFamilie(const QFont& schrift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Textraum(QWidget* behaelter);
    void vormerken();
    static void anpassen(QWidget* control);
    static void spaltenAnpassen(QHeaderView* kopf);

    QWidget* m_behaelter;
    bool m_vorgemerkt = false;
};

} // namespace shell
