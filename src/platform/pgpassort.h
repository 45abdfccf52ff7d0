#pragma once

#include <QString>

namespace platform {

// Where libpq looks for its password file when the connection names none: PGPASSFILE when set, else
// ~/.pgpass on Unix and %APPDATA%\postgresql\pgpass.conf on Windows. The program writes there so that the
// sender, psql and every other client of the server find the same password.
QString pgpassOrt();

} // namespace platform
