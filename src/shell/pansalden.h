#pragma once

#include "tastenwache.h"

#include <QWidget>

class QLabel;

namespace shell {

// Page 3, "Info": the version panels, the folder the records go to, so nobody has to guess where zel.mdb
// is, how the hotkey is watched and how the line to the indicator stands.
class PanSalden final : public QWidget {
    Q_OBJECT
public:
    // datenordner: the data folder in use; empty when the program records nowhere.
    explicit PanSalden(const QString& datenordner, QWidget* parent = nullptr);

    QLabel* lbldatenordner() const { return m_lbldatenordner; }
    QLabel* lbltastendruck() const { return m_lbltastendruck; }
    // The serial line: the port, its state and the time of the last telegram.
    QLabel* lblverbindung() const { return m_lblverbindung; }

    // Says how the hotkey's presses are recognised, so that a fallback to sampling is not a mystery; follows
    // the key watch while it runs.
    void tastenerkennungZeigen(Tastenwache::Erkennung erkennung);

private:
    QLabel* m_lbldatenordner;
    QLabel* m_lbltastendruck;
    QLabel* m_lblverbindung;
};

} // namespace shell
