#pragma once

#include <QMimeData>
#include <memory>

namespace handover {

// The system clipboard as a paste needs it. Setting it can fail (another program holds it open: a clipboard
// manager, an office suite, a remote-desktop session), and a paste must know, or its Ctrl+V would hand the
// target whatever the clipboard held before.
class Ablage {
public:
    Ablage() = default;
    virtual ~Ablage() = default;
    Ablage(const Ablage&) = delete;
    Ablage& operator=(const Ablage&) = delete;

    // Offers the content, taking it over whatever happens (it may be gone when this returns).
    virtual void setzen(QMimeData* daten) = 0;
    // Whether the clipboard holds exactly this content of ours now.
    virtual bool haelt(const QMimeData* daten) const = 0;
    // A copy of every format the clipboard holds now; nullptr when it is empty.
    virtual std::unique_ptr<QMimeData> sichern() const = 0;
    virtual void leeren() = 0;
};

} // namespace handover
