#pragma once

#include "zentrale/zentralezustand.h"

#include <QObject>

namespace shell {

class Statusband;
class TrayFenster;

// Shows how the sending to the central server stands: one line in the window's status band, and the same
// line under the caption in the tray icon's tip while the window is hidden. Nothing while all is well.
class ZentraleAnzeige final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kZeile = "zentrale";

    ZentraleAnzeige(Statusband& band, TrayFenster& tray, QObject* parent = nullptr);

    void zeigen(const zentrale::ZentraleZustand& zustand);

private:
    Statusband& m_band;
    TrayFenster& m_tray;
};

} // namespace shell
