#pragma once

namespace platform {

// Ends the process with `rc` once everything of the program's own is closed and written. On Windows without
// running the libraries' detach code: a process that has loaded the PostgreSQL client stalls there (in the
// C++ runtime's detach, after the window is gone and zel.mdb is closed), and a program that lingers unseen
// keeps the next start from running. Elsewhere the ordinary exit.
[[noreturn]] void prozessBeenden(int rc);

// Ends the process with `rc` while a thread of its own may still be inside a call (a sender in a network
// call): nobody's destructors run, on any system, so none pulls a library out from under that thread. Only
// the C streams are flushed.
[[noreturn]] void sofortBeenden(int rc);

} // namespace platform
