#include "integritaet.h"
#include "platform/zielpruefung.h"

#include <windows.h>

namespace platform {

namespace {

using win::integritaet;

class WinZielPruefung final : public ZielPruefung {
public:
    bool erhoeht() override {
        const HWND vorne = GetForegroundWindow();
        DWORD pid = 0;
        if (vorne == nullptr || GetWindowThreadProcessId(vorne, &pid) == 0 || pid == GetCurrentProcessId()) {
            return false;
        }
        DWORD eigene = 0;
        if (!integritaet(GetCurrentProcess(), eigene)) {
            return false; // without our own level there is nothing to compare; let the paste try
        }
        const HANDLE prozess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (prozess == nullptr) {
            return true;
        }
        DWORD ziel = 0;
        const bool gelesen = integritaet(prozess, ziel);
        CloseHandle(prozess);
        return !gelesen || ziel > eigene;
    }
};

} // namespace

std::unique_ptr<ZielPruefung> createZielPruefung() {
    return std::make_unique<WinZielPruefung>();
}

} // namespace platform
