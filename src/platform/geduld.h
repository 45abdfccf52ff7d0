#pragma once

#include <chrono>
#include <functional>

namespace platform {

// What one attempt at an operation on a file came to.
struct Versuch {
    // 0 when it worked, else the system's error number (GetLastError on Windows, errno elsewhere).
    unsigned long fehler = 0;
    // Someone else holds the file for a moment (a virus scanner or an indexer reading a fresh file, a backup):
    // the same attempt may work a little later.
    bool besetzt = false;
};

// How long an operation on a file that someone else holds is tried again: about a second, the first pauses
// short, since a scanner mostly lets go within milliseconds. Clock and pause are handed in, so the rule can be
// tried without waiting.
class Geduld {
public:
    using Uhr = std::function<std::chrono::milliseconds()>;
    using Pause = std::function<void(std::chrono::milliseconds)>;

    static constexpr std::chrono::milliseconds kFrist{1000};
    static constexpr std::chrono::milliseconds kErstePause{10};
    static constexpr std::chrono::milliseconds kLaengstePause{100};

    // The steady clock; the calling thread sleeps between attempts.
    Geduld();
    Geduld(Uhr uhr, Pause pause);

    // Runs the attempt until it works, fails for a reason that waiting does not mend, or the time is up, and
    // returns what the last attempt came to.
    Versuch wiederholen(const std::function<Versuch()>& versuch) const;

private:
    Uhr m_uhr;
    Pause m_pause;
};

} // namespace platform
