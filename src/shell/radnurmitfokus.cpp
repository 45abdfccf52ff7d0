#include "radnurmitfokus.h"

#include <QEvent>
#include <QWidget>

namespace shell {

namespace {

class RadNurMitFokusFilter final : public QObject {
public:
    explicit RadNurMitFokusFilter(QWidget* watched) : QObject(watched), m_watched(watched) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == m_watched && event->type() == QEvent::Wheel && !m_watched->hasFocus()) {
            // Ignored, so the wheel scrolls whatever lies around the list.
            event->ignore();
            return true;
        }
        return false;
    }

private:
    QWidget* m_watched;
};

} // namespace

void radNurMitFokus(QWidget* widget) {
    // Strong focus: the wheel itself gives no focus, so it never turns a list on its way past.
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new RadNurMitFokusFilter(widget));
}

} // namespace shell
