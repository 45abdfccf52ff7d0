#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

namespace shell {

// The lists and fields that write their setting when the operator leaves them. A value changed in a
// control that still has the focus when the window goes (an access key, the tray menu, closing, logging
// off) would never be left and so be lost: schreiben() writes each value the operator changed and has not
// left since, and only those.
class Schreibwache final : public QObject {
    Q_OBJECT
public:
    explicit Schreibwache(QObject* parent = nullptr);

    // The handler runs whenever the control loses the focus, and from schreiben() once the operator has
    // changed the control's value since.
    void anmelden(QComboBox* liste, std::function<void()> handler);
    void anmelden(QLineEdit* feld, std::function<void()> handler);

    void schreiben();

private:
    struct Eintrag {
        QPointer<QWidget> control;
        std::function<void()> handler;
        bool geaendert = false;
    };

    std::size_t eintragen(QWidget* control, std::function<void()> handler);
    void verlassen(std::size_t index);

    std::vector<Eintrag> m_eintraege;
};

} // namespace shell
