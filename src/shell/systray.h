#pragma once

#include <QIcon>
#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace shell {

// The program's icon in the notification area. It exists only while the window is hidden.
class SysTray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SysTray() override = default;

    // Whether the desktop has a notification area to hide into.
    virtual bool verfuegbar() const = 0;
    virtual void hinzufuegen(const QIcon& icon, const QString& tip) = 0;
    // A new tip for the icon that is there.
    virtual void tipSetzen(const QString& tip) = 0;
    // Removing an icon that is not there does nothing.
    virtual void entfernen() = 0;
    virtual bool sichtbar() const = 0;

Q_SIGNALS:
    void doppelklick();
    // The right button was used on the icon: the menu belongs at the given screen position.
    void menuGewuenscht(const QPoint& position);
};

// SysTray on QSystemTrayIcon.
class QtSysTray final : public SysTray {
    Q_OBJECT
public:
    explicit QtSysTray(QObject* parent = nullptr);

    bool verfuegbar() const override;
    void hinzufuegen(const QIcon& icon, const QString& tip) override;
    void tipSetzen(const QString& tip) override;
    void entfernen() override;
    bool sichtbar() const override;

private:
    QSystemTrayIcon* m_icon;
};

} // namespace shell
