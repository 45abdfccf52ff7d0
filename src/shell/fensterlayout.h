#pragma once

#include <QString>
#include <functional>

namespace shell {

// Where the resize rule puts the tab strip and the buttons for a client area, all in twips.
struct FensterLayout {
    int tabWidth;
    int tabHeight;
    int buttonTop;
    int minimierenLeft;
    int loeschenLeft;
};

// The designed frame is 120 twips wider and 435 higher than its client area, so the rule's outer minimum
// of 8715 x 5340 is this client minimum; Qt lays out the client area.
constexpr int kMinClientWidth = 8595;
constexpr int kMinClientHeight = 4905;

FensterLayout fensterLayout(int clientWidth, int clientHeight);

// The weight's font size in points: the field's width in twips / 75, but never so large that the text
// would be cut off. textWidthAt(points) gives the text's width in pixels at that size.
qreal gewichtSchriftgroesse(int fieldWidthTwips, int availablePixels, const std::function<qreal(qreal)>& textWidthAt);

} // namespace shell
