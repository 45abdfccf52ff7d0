#pragma once

namespace platform {

// Ends the process with `rc` once everything of the program's own is closed and written. On Windows without
// running the libraries' detach code: a process that has loaded the PostgreSQL client stalls there (in the
// C++ runtime's detach, after the window is gone and zel.mdb is closed), and a program that lingers unseen
// keeps the next start from running. Elsewhere the ordinary exit.
[[noreturn]] void prozessBeenden(int rc);

} // namespace platform
