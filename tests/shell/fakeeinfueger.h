#pragma once

#include "handover/einfueger.h"

#include <QStringList>
#include <functional>
#include <vector>

// A paster that only records; the test decides when a paste is over.
class FakeEinfueger final : public handover::Einfueger {
    Q_OBJECT
public:
    std::vector<platform::KeyEvent> einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) override;
    bool wartet() const override { return m_wartet; }
    void leeren() override;

    // The target has fetched the text: the paste reports its end.
    void beenden();

    QStringList texte;
    // What each paste claims to have sent.
    std::vector<platform::KeyEvent> gesendet;
    std::vector<platform::KeyStateBytes> gehaltene;
    int leerungen = 0;
    std::function<void()> onEinfuegen;
    std::function<void()> onLeeren;

private:
    bool m_wartet = false;
};
