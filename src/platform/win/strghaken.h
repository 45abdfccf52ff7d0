#pragma once

#include "platform/keyboardstate.h"
#include "platform/tastenabgleich.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platform {

// A low-level keyboard hook that keeps count of left Ctrl and right Alt, so that the left Ctrl Windows adds to
// every AltGr press (scan code 0x21D) can be told from the one on the keyboard. The hook runs on a thread of
// its own with its own message loop: Windows calls it for every key in the session and silently removes a
// hook that answers late, which a busy GUI thread could. It only watches; every key goes on unchanged. Where a
// sink is given, it also hands on every key event, by scan code, on its own thread, kept in step with the
// system's key state (see TastenAbgleich), without the keyboard's auto-repeat and without the program's own
// keystrokes.
class StrgHaken {
public:
    StrgHaken() = default;
    ~StrgHaken();
    StrgHaken(const StrgHaken&) = delete;
    StrgHaken& operator=(const StrgHaken&) = delete;

    // Starts the thread and installs the hook; false (and no thread left behind) when Windows refuses it.
    bool starten(KeyboardState::EventSink sink = {});
    // Removes the hook and ends the thread; nothing happens when it is not running.
    void beenden();
    // Installs the hook anew, for when Windows may have removed it: the new one first, then the old one, so no
    // key goes by unseen in between. Asynchronous; false when the hook's thread does not run.
    bool erneuern();

    bool laeuft() const { return laeuft_.load(); }
    // The hook's account, each only while the key is held; all false while it does not run.
    bool echteStrgUnten() const { return laeuft() && echteStrg_.load(); }
    bool kunstStrgUnten() const { return laeuft() && kunstStrg_.load(); }
    bool altGrUnten() const { return laeuft() && altGr_.load(); }
    // How often the hook has been installed since the start, the first time included.
    int installationen() const { return installationen_.load(); }

    // One key event as the hook reports it; public so a check can feed it directly.
    struct Taste {
        std::uint32_t virtualKey;
        std::uint32_t scanCode;
        bool erweitert;
        bool unten;
        bool injiziert = false; // put in by a program, ours or another
        bool eigene = false;    // one of the program's own keystrokes
    };
    void taste(const Taste& taste);

    static constexpr std::uint32_t kKunstScanCode = 0x21D;

private:
    void schleife();

    std::thread thread_;
    std::atomic<unsigned long> threadId_{0};
    // How the start went, handed from the hook's thread to start(). A mutex and condition variable rather than
    // std::atomic::wait, whose wake-up can go missing in GCC 12's library where the platform has no futex.
    std::mutex startMutex_;
    std::condition_variable startBereit_;
    int start_ = 0;
    std::atomic<bool> laeuft_{false};
    std::atomic<bool> echteStrg_{false};
    std::atomic<bool> kunstStrg_{false};
    std::atomic<bool> altGr_{false};
    std::atomic<int> installationen_{0};
    // Set before the thread starts and read only by it.
    KeyboardState::EventSink sink_;
    // Used only on the hook's thread.
    TastenAbgleich abgleich_;
};

} // namespace platform
