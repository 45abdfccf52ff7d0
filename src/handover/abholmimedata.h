#pragma once

#include <QMimeData>

namespace handover {

// Clipboard content that tells when someone fetches it as text. Listing the formats (a TARGETS query on
// X11) is not fetching, and neither is reading the markers that keep it out of clipboard histories: only a
// target that pastes asks for the text.
class AbholMimeData final : public QMimeData {
    Q_OBJECT
public:
    explicit AbholMimeData(const QString& text);

Q_SIGNALS:
    void abgeholt();

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;
};

} // namespace handover
