#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <optional>

namespace recording {
class Uhr;
}

namespace shell {

class PanGeld;
class PanSalden;

// Tells the operator where the weights are to come from. Under where the digits go, from the choice of a
// port until its first telegram: "Warte auf Daten von COM 1 …". A line that falls silent later is the
// stale weight's business, not this one's. On the page "Info": the port, its state and the time of the
// last telegram.
class Verbindungsanzeige final : public QObject {
    Q_OBJECT
public:
    Verbindungsanzeige(const recording::Uhr& uhr, PanGeld& geld, PanSalden& salden, QObject* parent = nullptr);

    // A port chosen, at start-up or anew; `name` as the list names it, `device` what is opened for it.
    void gewaehlt(const QString& name, const QString& device);
    // The port is open.
    void geoeffnet();
    // The port is not open: it would not open or was lost. `grund` in a word or two, `einzelheiten` for the
    // tooltip.
    void geschlossen(const QString& grund, const QString& einzelheiten);
    // A telegram has been decoded just now.
    void telegramm();

private:
    void zeigen();

    const recording::Uhr& m_uhr;
    PanGeld& m_geld;
    PanSalden& m_salden;
    QString m_name;
    QString m_device;
    bool m_offen = false;
    QString m_grund;
    QString m_einzelheiten;
    // The last telegram of the port chosen.
    std::optional<QDateTime> m_letztes;
};

} // namespace shell
