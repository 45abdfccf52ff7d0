#include "platform/ablagemarken.h"

#include <QtEndian>

namespace platform {

namespace {

QString windowsFormat(const char* name) {
    // Qt registers a clipboard format of this name and hands the bytes over as they are.
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(name));
}

QByteArray dword(quint32 wert) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(wert, bytes.data());
    return bytes;
}

} // namespace

QList<std::pair<QString, QByteArray>> ablageMarken() {
    // Any data in the first format keeps clipboard monitors away; the other two say the same to clipboard
    // history and to the cloud clipboard, which read them as a DWORD.
    return {
        {windowsFormat("ExcludeClipboardContentFromMonitorProcessing"), dword(0)},
        {windowsFormat("CanIncludeInClipboardHistory"), dword(0)},
        {windowsFormat("CanUploadToCloudClipboard"), dword(0)},
    };
}

} // namespace platform
