#pragma once

#include "tastenwache.h"

#include <QWidget>

class QLabel;

namespace shell {

// Page 3, "Info": the version panels, the folder the records go to, so nobody has to guess where zel.mdb
// is, and how the hotkey is watched.
class PanSalden final : public QWidget {
    Q_OBJECT
public:
    // datenordner: the data folder in use; empty when the program records nowhere.
    explicit PanSalden(const QString& datenordner, QWidget* parent = nullptr);

    QLabel* lbldatenordner() const { return m_lbldatenordner; }
    QLabel* lbltastendruck() const { return m_lbltastendruck; }

    // Says how the hotkey's presses are recognised, so that a fallback to sampling is not a mystery; follows
    // the key watch while it runs.
    void tastenerkennungZeigen(Tastenwache::Erkennung erkennung);

private:
    QLabel* m_lbldatenordner;
    QLabel* m_lbltastendruck;
};

} // namespace shell
