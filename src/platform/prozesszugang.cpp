#include "prozesszugang.h"

#ifdef Q_OS_WIN
#include "win/integritaet.h"

#include <windows.h>
#endif

namespace platform {

namespace {

#ifdef Q_OS_WIN
class WinProzessZugang final : public ProzessZugang {
public:
    bool erhoeht(qint64 pid) override { return win::hoeherAlsEigener(static_cast<DWORD>(pid)); }
    void vordergrundErlauben(qint64 pid) override { AllowSetForegroundWindow(static_cast<DWORD>(pid)); }
};
#else
// Elsewhere any process of the user answers on its socket, and the window manager decides what comes to
// the front.
class OffenerProzessZugang final : public ProzessZugang {
public:
    bool erhoeht(qint64) override { return false; }
    void vordergrundErlauben(qint64) override {}
};
#endif

} // namespace

std::unique_ptr<ProzessZugang> createProzessZugang() {
#ifdef Q_OS_WIN
    return std::make_unique<WinProzessZugang>();
#else
    return std::make_unique<OffenerProzessZugang>();
#endif
}

} // namespace platform
