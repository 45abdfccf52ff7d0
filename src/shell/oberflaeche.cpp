#include "oberflaeche.h"

#include <QApplication>

namespace shell {

void stilFestlegen() {
    QApplication::setStyle(QStringLiteral("Fusion"));
}

} // namespace shell
