#include "tabkenn.h"

#include "platform/schrift.h"
#include "textraum.h"
#include "twips.h"

#include <QApplication>
#include <QShortcut>
#include <QTabBar>

namespace shell {

TabKenn::TabKenn(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    setObjectName(QStringLiteral("tabkenn"));
    QFont font(platform::entwurfsschrift());
    font.setPointSizeF(9.75);
    m_bar->setFont(font);
    m_bar->setExpanding(false);
    m_bar->setDrawBase(true);
    // The Tab key goes from control to control; the tab strip itself is not one of its stops.
    m_bar->setFocusPolicy(Qt::NoFocus);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        const QWidget* fokus = QApplication::focusWidget();
        const bool aufSeite = fokus && isAncestorOf(fokus);
        showCurrent();
        // The keyboard carries on where the eye goes: from a control of the page that went to the first one of
        // the page that came, not round the window's buttons.
        if (aufSeite && index >= 0)
            ersteKontrolleFokussieren(page(index));
        Q_EMIT currentChanged(index);
    });
    const auto blaetterer = [this](const QList<QKeySequence>& tasten, int schritte) {
        auto* kuerzel = new QShortcut(this);
        kuerzel->setKeys(tasten);
        kuerzel->setContext(Qt::WindowShortcut);
        connect(kuerzel, &QShortcut::activated, this, [this, schritte] { blaettern(schritte); });
    };
    blaetterer({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1);
    // Shift+Tab comes as Backtab from most keyboards, as Tab with Shift from some.
    blaetterer({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
               -1);
}

void TabKenn::blaettern(int schritte) {
    const int anzahl = m_bar->count();
    if (anzahl == 0)
        return;
    setCurrentIndex(((currentIndex() + schritte) % anzahl + anzahl) % anzahl);
}

void TabKenn::ersteKontrolleFokussieren(QWidget* seite) {
    // The window's Tab order runs through each page's controls in one stretch, so the first of them met
    // from the window on is the page's first.
    QWidget* fenster = window();
    for (QWidget* w = fenster->nextInFocusChain(); w && w != fenster; w = w->nextInFocusChain()) {
        if (seite->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
            w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TabKenn::addPage(QWidget* page, const QString& caption) {
    page->setParent(this);
    m_pages.push_back(page);
    // Each page's texts are fitted to their controls whenever it comes to the front or changes its layout.
    Textraum::anbringen(page);
    {
        const QSignalBlocker quiet(m_bar);
        m_bar->addTab(caption);
    }
    layoutPages();
    showCurrent();
}

int TabKenn::currentIndex() const {
    return m_bar->currentIndex();
}

void TabKenn::setCurrentIndex(int index) {
    m_bar->setCurrentIndex(index);
}

void TabKenn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPages();
}

void TabKenn::showCurrent() {
    const int current = m_bar->currentIndex();
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(static_cast<int>(i) == current);
}

void TabKenn::layoutPages() {
    const Twips t = Twips::forWidget(this);
    const int headerBottom = t.y(kPageTop);
    m_bar->setGeometry(0, 0, width(), headerBottom);
    const QRect pageRect(t.x(kPageLeft), headerBottom, width() - 2 * t.x(kPageLeft),
                         height() - headerBottom - t.y(kPageLeft));
    for (QWidget* page : m_pages)
        page->setGeometry(pageRect);
}

} // namespace shell
