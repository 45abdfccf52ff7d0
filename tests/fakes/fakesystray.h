#pragma once

#include "shell/systray.h"

#include <QStringList>

// A notification area driven by the test; it records what the program asked of it.
class FakeSysTray final : public shell::SysTray {
    Q_OBJECT
public:
    bool verfuegbar() const override { return available; }
    void hinzufuegen(const QIcon& icon, const QString& tip) override {
        calls << QStringLiteral("add:") + tip;
        lastIconNull = icon.isNull();
        m_visible = true;
    }
    void tipSetzen(const QString& tip) override { calls << QStringLiteral("tip:") + tip; }
    void entfernen() override {
        calls << QStringLiteral("remove");
        m_visible = false;
    }
    bool sichtbar() const override { return m_visible; }

    void doubleClick() { Q_EMIT doppelklick(); }
    void rightClick() { Q_EMIT menuGewuenscht(QPoint(10, 10)); }

    bool available = true;
    bool lastIconNull = true;
    QStringList calls;

private:
    bool m_visible = false;
};
