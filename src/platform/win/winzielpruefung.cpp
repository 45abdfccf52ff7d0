#include "platform/zielpruefung.h"

#include <windows.h>

namespace platform {

namespace {

// The mandatory integrity level of a process token (the last sub-authority of its label), or nothing.
bool integritaet(HANDLE prozess, DWORD& stufe) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(prozess, TOKEN_QUERY, &token)) {
        return false;
    }
    bool gelesen = false;
    DWORD laenge = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &laenge);
    if (laenge > 0) {
        auto* puffer = static_cast<TOKEN_MANDATORY_LABEL*>(LocalAlloc(LPTR, laenge));
        if (puffer != nullptr && GetTokenInformation(token, TokenIntegrityLevel, puffer, laenge, &laenge)) {
            const PSID sid = puffer->Label.Sid;
            const UCHAR anzahl = *GetSidSubAuthorityCount(sid);
            if (anzahl > 0) {
                stufe = *GetSidSubAuthority(sid, anzahl - 1u);
                gelesen = true;
            }
        }
        LocalFree(puffer);
    }
    CloseHandle(token);
    return gelesen;
}

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
