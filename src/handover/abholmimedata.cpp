#include "abholmimedata.h"

#include "platform/ablagemarken.h"

namespace handover {

AbholMimeData::AbholMimeData(const QString& text) {
    setText(text);
    for (const auto& [format, daten] : platform::ablageMarken())
        setData(format, daten);
}

QVariant AbholMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    QVariant data = QMimeData::retrieveData(mimeType, type);
    if (data.isValid() && mimeType.startsWith(QLatin1String("text/plain")))
        Q_EMIT const_cast<AbholMimeData*>(this)->abgeholt();
    return data;
}

} // namespace handover
