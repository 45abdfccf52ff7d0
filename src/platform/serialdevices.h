#pragma once

#include <QString>

namespace platform {

// The device the platform calls port number n (1-based): COMn on Windows, /dev/ttyS<n-1> elsewhere.
QString defaultSerialDevice(int number);

} // namespace platform
