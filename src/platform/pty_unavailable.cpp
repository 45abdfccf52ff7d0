// Without pseudo-terminals there is nothing to simulate a line on: every attempt says so.
#include "pty.h"

namespace platform {

Pty::~Pty() = default;

bool Pty::open(QString* error) {
    *error = QStringLiteral("Pseudoterminals gibt es auf diesem System nicht");
    return false;
}

void Pty::close() {}

bool Pty::link(const QString&, QString* error) {
    *error = QStringLiteral("Pseudoterminals gibt es auf diesem System nicht");
    return false;
}

qint64 Pty::write(const char*, qint64) {
    return -1;
}

qint64 Pty::unread() const {
    return 0;
}

void Pty::discardUnread() {}

} // namespace platform
