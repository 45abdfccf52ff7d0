#pragma once

#include "platform/keyboardstate.h"

#include <QObject>
#include <QString>
#include <vector>

namespace handover {

// Hands a text to the application with the input focus by clipboard and Ctrl+V. A paste runs on after
// einfuegen() returns, until the target has fetched the text or the wait has run out; fertig() says so.
class Einfueger : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Einfueger() override;

    // Puts the text on the clipboard and sends Ctrl+V fitted to the keys held now; returns the key events
    // sent, which the system reports back like the operator's own.
    virtual std::vector<platform::KeyEvent> einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) = 0;
    virtual bool wartet() const = 0;
    // Empties the system clipboard.
    virtual void leeren() = 0;

Q_SIGNALS:
    // The paste is over; `abgeholt` says whether the target fetched the text.
    void fertig(bool abgeholt);
    // The paste did not start, and the operator must know why: nothing reached the target.
    void abgelehnt(const QString& grund);
};

} // namespace handover
