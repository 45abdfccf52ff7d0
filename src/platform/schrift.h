#pragma once

#include <QString>

namespace platform {

// The face the window's twip sizes were made for. Windows still has "MS Sans Serif", but as a bitmap font in a
// few sizes, which Qt's DirectWrite does not draw at all; its outline twin "Microsoft Sans Serif" has the
// same widths. Elsewhere the old name stands for a face of similar width (see FrmMain).
QString entwurfsschrift();

} // namespace platform
