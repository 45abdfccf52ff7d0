#pragma once

#include <QCheckBox>

namespace shell {

// An interval's check box with the values the settings store keeps: 0 unchecked, 1 checked, 2 grayed.
// Grayed comes only from a stored setting; a click makes any set box unchecked and an unchecked one
// checked, so the operator never produces the grayed state.
class IntervallKasten final : public QCheckBox {
    Q_OBJECT
public:
    explicit IntervallKasten(QWidget* parent = nullptr);

    int wert() const;
    void setWert(int wert);

protected:
    void nextCheckState() override;
};

} // namespace shell
