#include "qtablage.h"

#include <QClipboard>

namespace handover {

void QtAblage::setzen(QMimeData* daten) {
    m_clipboard.setMimeData(daten);
}

bool QtAblage::haelt(const QMimeData* daten) const {
    return daten != nullptr && m_clipboard.mimeData() == daten;
}

std::unique_ptr<QMimeData> QtAblage::sichern() const {
    const QMimeData* jetzt = m_clipboard.mimeData();
    if (!jetzt)
        return nullptr;
    const QStringList formate = jetzt->formats();
    if (formate.isEmpty())
        return nullptr;
    auto kopie = std::make_unique<QMimeData>();
    for (const QString& format : formate)
        kopie->setData(format, jetzt->data(format));
    // An image is carried as Qt's image, which has no byte format of its own in the list.
    if (jetzt->hasImage())
        kopie->setImageData(jetzt->imageData());
    return kopie;
}

void QtAblage::leeren() {
    m_clipboard.clear();
}

} // namespace handover
