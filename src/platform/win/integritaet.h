#pragma once

#include <windows.h>

namespace platform::win {

// The mandatory integrity level of a process (the last sub-authority of its token's label); false when the
// token cannot be read, which a process of higher integrity refuses.
inline bool integritaet(HANDLE prozess, DWORD& stufe) {
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

// Whether process `pid` runs at a higher integrity level than this one. Its rights unreadable count as
// higher; this one's own unreadable leaves nothing to compare, and counts as not.
inline bool hoeherAlsEigener(DWORD pid) {
    DWORD eigene = 0;
    if (!integritaet(GetCurrentProcess(), eigene)) {
        return false;
    }
    const HANDLE prozess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (prozess == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD andere = 0;
    const bool gelesen = integritaet(prozess, andere);
    CloseHandle(prozess);
    return !gelesen || andere > eigene;
}

} // namespace platform::win
