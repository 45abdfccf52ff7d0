#pragma once

#include <QWidget>

class QLabel;

namespace shell {

// Page 3, "Info": the version panels and the folder the records go to, so nobody has to guess where
// zel.mdb is.
class PanSalden final : public QWidget {
    Q_OBJECT
public:
    // datenordner: the data folder in use; empty when the program records nowhere.
    explicit PanSalden(const QString& datenordner, QWidget* parent = nullptr);

    QLabel* lbldatenordner() const { return m_lbldatenordner; }

private:
    QLabel* m_lbldatenordner;
};

} // namespace shell
