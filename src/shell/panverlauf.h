#pragma once

#include "recording/tagesverlauf.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class QDateEdit;
class QLabel;

namespace recording {
class Uhr;
}

namespace shell {

class VerlaufsDiagramm;

// Page 4, "Verlauf": the weights of one day as a line chart, with the day's count, minimum, maximum and sum
// below it. Like the record list it reads the database anew at each switch to it, and keeps nothing open
// in between. The day is today's until the operator picks another.
class PanVerlauf final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIndex = 4;
    static constexpr int kMargin = 90;
    // The height of the day chooser's row and of the figures' row, in twips.
    static constexpr int kZeilenHoehe = 315;

    // datenbank: the working database's path, asked at each reading (emptying may put a new file there).
    PanVerlauf(std::function<QString()> datenbank, const recording::Uhr& uhr, QWidget* parent = nullptr);

    QDateEdit* dtptag() const { return m_dtptag; }
    VerlaufsDiagramm* picverlauf() const { return m_picverlauf; }
    QLabel* lblanzahl() const { return m_lblanzahl; }
    QLabel* lblminimum() const { return m_lblminimum; }
    QLabel* lblmaximum() const { return m_lblmaximum; }
    QLabel* lblsumme() const { return m_lblsumme; }

    // The tab strip's switch, with the new tab already current.
    void tabkenn_Switch(int index);
    // Reads the chosen day and shows it.
    void lesen();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void zeigen(const recording::TagesWerte& werte);

    std::function<QString()> m_datenbank;
    const recording::Uhr& m_uhr;
    recording::TagesVerlauf m_verlauf;
    QDateEdit* m_dtptag;
    VerlaufsDiagramm* m_picverlauf;
    QLabel* m_lblanzahl;
    QLabel* m_lblminimum;
    QLabel* m_lblmaximum;
    QLabel* m_lblsumme;
    bool m_tagGewaehlt = false; // the operator picked a day; until then each switch shows today
    bool m_setztSelbst = false;
    QTimer m_nachGroesse; // the day is read again once a resize has settled
};

} // namespace shell
