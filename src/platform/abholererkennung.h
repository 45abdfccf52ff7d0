#pragma once

#include <memory>

namespace platform {

// Who asked for the clipboard content that is being handed out right now.
enum class Abholer {
    Ziel,     // the program the Ctrl+V went to
    Fremder,  // some other program, a clipboard manager say
    Unbekannt // the system does not tell
};

// Tells the paste target's fetch of our clipboard content from the reads of other programs. Clipboard
// managers read every new content at once, long before a busy target gets round to the Ctrl+V; only the
// target's own fetch may end the paste. Plain C++ like the keyboard adapters.
class AbholerErkennung {
public:
    AbholerErkennung() = default;
    virtual ~AbholerErkennung() = default;
    AbholerErkennung(const AbholerErkennung&) = delete;
    AbholerErkennung& operator=(const AbholerErkennung&) = delete;

    // Notes the program that has the input focus now; called just before the Ctrl+V goes out, so the
    // program noted is the one that receives it.
    virtual void zielMerken() = 0;
    // Who the fetch being answered at this moment is for; asked while the content is handed out.
    virtual Abholer abholer() const = 0;
};

// The platform's own (X11), or one that always answers Unbekannt where readers cannot be told apart.
std::unique_ptr<AbholerErkennung> createAbholerErkennung();

} // namespace platform
