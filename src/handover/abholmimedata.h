#pragma once

#include <QMimeData>

namespace handover {

// Clipboard content that tells when someone fetches it. Listing the formats (a TARGETS query on X11) is
// not fetching; only handing out the data is.
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
