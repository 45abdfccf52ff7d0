#include "focusout.h"

#include <QFocusEvent>
#include <QWidget>

namespace shell {

namespace {

class LostFocusFilter final : public QObject {
public:
    LostFocusFilter(QWidget* watched, std::function<void()> handler)
        : QObject(watched), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        // A pop-up list opened from a combo box takes the focus only for the moment of choosing.
        if (event->type() == QEvent::FocusOut && object == parent()) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason)
                m_handler();
        }
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void onLostFocus(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new LostFocusFilter(widget, std::move(handler)));
}

} // namespace shell
