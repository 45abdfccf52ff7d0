#pragma once

#include "ablage.h"

class QClipboard;

namespace handover {

// The clipboard through Qt. Qt reports a failed setting only as a warning; what it answers afterwards for
// the clipboard's content tells: our own object only while the system clipboard is really ours.
class QtAblage final : public Ablage {
public:
    explicit QtAblage(QClipboard& clipboard) : m_clipboard(clipboard) {}

    void setzen(QMimeData* daten) override;
    bool haelt(const QMimeData* daten) const override;
    std::unique_ptr<QMimeData> sichern() const override;
    void leeren() override;

private:
    QClipboard& m_clipboard;
};

} // namespace handover
