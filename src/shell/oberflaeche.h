#pragma once

namespace shell {

// The widget style the pages were measured in: Qt's own Fusion, as the program gets it on Linux. Windows'
// native styles (Windows 11's above all) give buttons, lists and tabs other margins and heights, which would
// shift the texts out of the rooms the design gives them. Called once the application object exists and
// before the window is built.
void stilFestlegen();

} // namespace shell
