#pragma once

#include <QWidget>

namespace shell {

// Page 3, "Info": the version panels.
class PanSalden final : public QWidget {
    Q_OBJECT
public:
    explicit PanSalden(QWidget* parent = nullptr);
};

} // namespace shell
