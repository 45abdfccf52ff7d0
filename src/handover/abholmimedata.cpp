#include "abholmimedata.h"

namespace handover {

AbholMimeData::AbholMimeData(const QString& text) {
    setText(text);
}

QVariant AbholMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    QVariant data = QMimeData::retrieveData(mimeType, type);
    if (data.isValid())
        Q_EMIT const_cast<AbholMimeData*>(this)->abgeholt();
    return data;
}

} // namespace handover
