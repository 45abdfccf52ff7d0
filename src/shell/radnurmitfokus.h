#pragma once

class QWidget;

namespace shell {

// Lets the mouse wheel change the widget only while it has the focus. A list turned by the wheel in
// passing would never be left, so its choice would be neither stored nor put in force; a wheel that is
// not for the widget goes on to its parent instead.
void radNurMitFokus(QWidget* widget);

} // namespace shell
