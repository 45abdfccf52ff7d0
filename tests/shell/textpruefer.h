#pragma once

#include <QRect>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QFont;
class QGroupBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QTabBar;
class QWidget;

// Measures each text a control shows against the room the control gives it, as Qt draws it: labels in their
// contents less margin and indent, buttons in the style's contents, closed lists in the edit field, line
// edits in their contents less the text margins, header sections in the header label, tabs in the tab text
// rectangle. Collects every text that is wider or higher than its room, sticks out of a container or lies
// under a control drawn above it.
class Textpruefer {
public:
    // Containers up to this widget are looked at for texts sticking out or lying under others.
    explicit Textpruefer(const QWidget* fenster) : m_fenster(fenster) {}

    void pruefen(const QWidget* w);

    QStringList maengel;
    int gepruefteTexte = 0;

private:
    void messen(const QWidget* w, const QString& text, const QFont& font, int flags, const QRect& raum,
                Qt::Alignment ausrichtung);
    void frei(const QWidget* w, QRect r, const QString& wo);
    void pruefeLabel(const QLabel* label);
    void pruefeKnopf(const QAbstractButton* knopf);
    void pruefeListe(const QComboBox* liste);
    void pruefeFeld(const QLineEdit* feld);
    void pruefeKopf(const QHeaderView* kopf);
    void pruefeReiter(const QTabBar* reiter);
    void pruefeRahmen(const QGroupBox* rahmen);

    const QWidget* m_fenster;
};
