#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QToolButton;

namespace shell {

// The window's one place for states the operator should see without a message box: a recording that
// fails, weights that come from the simulator, and whatever else comes to be watched. One line per state,
// the most severe on top; each line cut with "…" to the band's width, its full text in the tooltip. The
// band is hidden while no line is shown; its owner gives it room of its own, zeilen() lines high, and
// learns of each change of that number.
class Statusband final : public QWidget {
    Q_OBJECT
public:
    enum class Schwere { Hinweis, Warnung, Stoerung };

    // Height of one line in twips.
    static constexpr int kZeilenhoehe = 270;

    explicit Statusband(QWidget* parent);
    ~Statusband() override;

    // The line of this key, made hidden on first use; the key is also its object name, so tests and
    // tools find it by name.
    QLabel* zeile(const QString& schluessel, Schwere schwere);
    // Shows the line of this key with the text; `einzelheiten` go under it in the tooltip.
    void setzen(const QString& schluessel, Schwere schwere, const QString& text,
                const QString& einzelheiten = QString());
    // Hides the line of this key; the others close up.
    void loeschen(const QString& schluessel);
    // A button at the end of the line of this key (made with zeile() or setzen() before), made hidden on first
    // use; its object name is the key followed by "Knopf". It shows with its line while knopfZeigen() says so.
    QToolButton* knopf(const QString& schluessel);
    void knopfZeigen(const QString& schluessel, bool zeigen);

    // The number of lines shown.
    int zeilen() const;
    // Puts the band there, its owner's room for it, and lays the lines out at once, also in a window not
    // shown yet.
    void einpassen(const QRect& flaeche);

    // Lays the band over the bottom of this widget's area (a sibling of the band) and follows its size, for
    // an owner that keeps no room of its own for it.
    void ueber(QWidget* anker);

Q_SIGNALS:
    // The number of lines shown has changed: the band needs room for that many.
    void zeilenGeaendert(int zeilen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Zeile {
        QString schluessel;
        Schwere schwere;
        QString text;
        QLabel* label;
        bool sichtbar;
        QToolButton* knopf = nullptr;
        bool knopfAn = false;
    };

    Zeile* finden(const QString& schluessel);
    void platzieren();
    void anordnen();

    std::vector<Zeile> m_zeilen;
    QPointer<QWidget> m_anker;
    int m_gezeigt = 0;
};

} // namespace shell
