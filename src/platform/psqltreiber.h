#pragma once

#include <QString>

namespace platform {

// Whether Qt's PostgreSQL driver and every library it needs can be loaded here. Empty when they can; else the
// file that is missing or will not load, as the operator is to be told it ("libpq.dll", "VCRUNTIME140.dll
// (Visual C++ Laufzeit)", "libqsqlpsql.so (Paket libqt6sql6-psql)"). Looks where Qt looks for its plugins,
// QCoreApplication::libraryPaths(), so it needs the application object. What it loaded stays loaded: the
// driver is about to use it anyway.
QString psqlTreiberFehlt();

} // namespace platform
