#include "intervallkasten.h"

namespace shell {

IntervallKasten::IntervallKasten(QWidget* parent) : QCheckBox(parent) {
    setTristate(true);
}

int IntervallKasten::wert() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void IntervallKasten::setWert(int wert) {
    setCheckState(wert == 1 ? Qt::Checked : wert == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void IntervallKasten::nextCheckState() {
    setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}

} // namespace shell
