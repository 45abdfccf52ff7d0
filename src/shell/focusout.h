#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace shell {

// Runs a handler whenever the widget loses the input focus: the controls' "LostFocus" events, which write
// a setting also when nothing was changed.
void onLostFocus(QWidget* widget, std::function<void()> handler);

} // namespace shell
