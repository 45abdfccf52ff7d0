#include "fakeeinfueger.h"

std::vector<platform::KeyEvent> FakeEinfueger::einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) {
    texte << text;
    gehaltene.push_back(gehalten);
    m_wartet = true;
    if (onEinfuegen)
        onEinfuegen();
    return gesendet;
}

void FakeEinfueger::leeren() {
    ++leerungen;
    if (onLeeren)
        onLeeren();
}

void FakeEinfueger::beenden() {
    m_wartet = false;
    Q_EMIT fertig(true);
}
