#pragma once

#include <QWidget>
#include <vector>

class QTabBar;

namespace shell {

// The tab strip with its pages. Each page fills the strip below the tab headers but for a 45-twip margin
// at the sides and the bottom; only the current page is visible. The keyboard turns the pages as in any
// tabbed dialog: Ctrl+Tab and Ctrl+PgDn to the next, Ctrl+Shift+Tab and Ctrl+PgUp to the one before, and
// Alt with a caption's underlined letter to that page.
class TabKenn final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageLeft = 45;
    static constexpr int kPageTop = 420;

    explicit TabKenn(QWidget* parent = nullptr);

    void addPage(QWidget* page, const QString& caption);
    int currentIndex() const;
    void setCurrentIndex(int index);
    QWidget* page(int index) const { return m_pages.at(static_cast<std::size_t>(index)); }
    QTabBar* tabBar() const { return m_bar; }
    // The page this many steps on, round from the last to the first and back.
    void blaettern(int schritte);

Q_SIGNALS:
    // Raised after every change of tab, with the new tab already current.
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showCurrent();
    void layoutPages();
    void ersteKontrolleFokussieren(QWidget* seite);

    QTabBar* m_bar;
    std::vector<QWidget*> m_pages;
};

} // namespace shell
