#pragma once

#include "platform/abholererkennung.h"

namespace platform {

// On Windows a reader opens the clipboard before it asks for a format, and Qt renders our content while
// the reader still holds it open; at that moment GetOpenClipboardWindow names the reader's window. The
// fetch is the target's when that window belongs to the process whose window had the focus when the
// Ctrl+V went out. A reader that opens the clipboard without a window of its own stays unknown, and the
// paste then keeps the text for its hold time.
class WinAbholerErkennung final : public AbholerErkennung {
public:
    void zielMerken() override;
    Abholer abholer() const override;

private:
    unsigned long m_zielProzess = 0; // 0: no target known
};

} // namespace platform
