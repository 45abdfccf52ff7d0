#pragma once

#include <Qt>

class QLabel;
class QString;
class QWidget;

namespace shell {

// The window's flat panels (labels, header cells, the Info texts): a raised frame, MS Sans Serif 8.25 pt,
// placed at its twips geometry. Captions keep their leading blanks.
QLabel* flachesPanel(QWidget* parent, const QString& caption, Qt::Alignment alignment, int left, int top, int width,
                     int height);

} // namespace shell
