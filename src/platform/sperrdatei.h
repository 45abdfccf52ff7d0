#pragma once

#include <QString>

namespace platform {

// Removes a lock file that no living process holds open any more and says whether it did. Where the system
// cannot tell (it lets a held file be removed), nothing is removed and the lock's own rules decide.
bool verwaisteSperreEntfernen(const QString& pfad);

} // namespace platform
