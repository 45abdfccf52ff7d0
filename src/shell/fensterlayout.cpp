#include "fensterlayout.h"

#include <algorithm>

namespace shell {

FensterLayout fensterLayout(int clientWidth, int clientHeight) {
    FensterLayout layout{};
    layout.tabWidth = std::max(clientWidth, kMinClientWidth) - 180;
    layout.tabHeight = std::max(clientHeight, kMinClientHeight) - 615;
    // The tab strip's own top of 60 is not added: the buttons stand 60 twips below its bottom edge.
    layout.buttonTop = layout.tabHeight + 120;
    layout.minimierenLeft = layout.tabWidth - 1350;
    layout.loeschenLeft = layout.tabWidth - 2800;
    return layout;
}

qreal gewichtSchriftgroesse(int fieldWidthTwips, int availablePixels, const std::function<qreal(qreal)>& textWidthAt) {
    const qreal rule = fieldWidthTwips / 75.0;
    if (rule <= 0 || availablePixels <= 0)
        return rule;
    const qreal width = textWidthAt(rule);
    if (width <= availablePixels)
        return rule;
    // Glyph widths grow almost linearly with the size; hinting can round up, so step down until it fits.
    qreal size = rule * availablePixels / width;
    for (int i = 0; i < 40 && size > 1 && textWidthAt(size) > availablePixels; ++i)
        size *= 0.98;
    return size;
}

} // namespace shell
