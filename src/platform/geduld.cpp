#include "geduld.h"

#include <algorithm>
#include <thread>

namespace platform {

Geduld::Geduld()
    : Geduld(
          [] {
              return std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch());
          },
          [](std::chrono::milliseconds dauer) { std::this_thread::sleep_for(dauer); }) {}

Geduld::Geduld(Uhr uhr, Pause pause) : m_uhr(std::move(uhr)), m_pause(std::move(pause)) {}

Versuch Geduld::wiederholen(const std::function<Versuch()>& versuch) const {
    const std::chrono::milliseconds anfang = m_uhr();
    for (std::chrono::milliseconds pause = kErstePause;; pause = std::min(pause * 2, kLaengstePause)) {
        const Versuch ergebnis = versuch();
        if (ergebnis.fehler == 0 || !ergebnis.besetzt)
            return ergebnis;
        const std::chrono::milliseconds vergangen = m_uhr() - anfang;
        if (vergangen >= kFrist)
            return ergebnis;
        // The last pause ends at the deadline, so the final attempt comes at about a second, not later.
        m_pause(std::min(pause, kFrist - vergangen));
    }
}

} // namespace platform
