#pragma once

#include <QObject>

class QMenu;
class QWidget;

namespace shell {

class SysTray;

// Hiding the main window into the notification area and bringing it back. The icon exists only while the
// window is hidden; every way back, and the end of the program, removes it.
class TrayFenster final : public QObject {
    Q_OBJECT
public:
    TrayFenster(QWidget& fenster, SysTray& tray, QObject* parent = nullptr);
    ~TrayFenster() override;

    // Adds the icon with the window's caption as tip and hides the window. Without a notification area
    // there would be no way back, so the window goes to the task bar instead.
    void intray();
    // 0 "Wiederherstellen", 1 "Beenden".
    void MnuB_Click(int index);
    // A state the operator should see while the window is hidden, as a second line of the icon's tip;
    // empty for none.
    void setZusatzzeile(const QString& zeile);
    // Shutdown: the icon must not outlive the program.
    void entfernen();
    // A second start of the program asked for the window: from the notification area, the task bar or
    // behind other windows, to the front.
    void nachVorn();

    QMenu* MnuAllgemein() const { return m_menu; }

private:
    void wiederherstellen();
    QString tip() const;

    QWidget& m_fenster;
    SysTray& m_tray;
    QMenu* m_menu;
    QString m_zusatzzeile;
};

} // namespace shell
