#pragma once

#include "acquisition/veraltung.h"

#include <QObject>
#include <QPalette>
#include <QString>

class QLineEdit;

namespace recording {
class Uhr;
}

namespace shell {

class Statusband;

// Keeps an old weight from passing for the one on the scale: once the indicator has sent no telegram for
// the limit, the digits turn grey, a line in the status band says since when, and the hotkey pastes
// nothing, the band saying why. The next telegram takes all of it back. The weight itself stays in sight
// and is still recorded: the recording thresholds keep a frozen value from being stored again.
class Veraltungswache final : public QObject {
    Q_OBJECT
public:
    Veraltungswache(int grenzeSekunden, const recording::Uhr& uhr, QLineEdit& ziffern, Statusband& band,
                    QObject* parent = nullptr);

    // A telegram has been decoded just now.
    void telegramm();
    // The tick's look at the clock.
    void pruefen();
    // Asked once per press of the hotkey: false, and the reason in the band, while the weight is old.
    bool einfuegbar();

    bool veraltet() const { return m_veraltet; }

private:
    qint64 jetztMs() const;
    void anzeigen(bool veraltet);
    QString seit() const;

    acquisition::Veraltung m_regel;
    const recording::Uhr& m_uhr;
    QLineEdit& m_ziffern;
    Statusband& m_band;
    QPalette m_frisch;
    bool m_veraltet = false;
    QString m_zeile;
};

} // namespace shell
