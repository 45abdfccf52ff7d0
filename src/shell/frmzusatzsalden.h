#pragma once

#include "recording/intervall.h"

#include <QGroupBox>
#include <array>

namespace shell {

class Einstellungen;
class IntervallKasten;
class Schreibwache;
class Schwellenfeld;

// The frame "Einstellungen zur Aufzeichnung": for each of the twelve intervals a check box that switches
// recording on and a field with the weight change a new record needs. Each control writes its own
// setting; the recording tick reads the controls themselves.
class FrmZusatzSalden final : public QGroupBox {
    Q_OBJECT
public:
    using Intervall = recording::Intervall;

    explicit FrmZusatzSalden(Einstellungen& einstellungen, QWidget* parent = nullptr);

    IntervallKasten* chk(Intervall intervall) const;
    Schwellenfeld* txt(Intervall intervall) const;

    // Left group's boxes, its fields, then the right group's boxes and fields, each from top to bottom.
    QList<QWidget*> tabReihenfolge() const;

    // A field typed into and not yet left writes its value now; a box writes at each click anyway.
    void geaendertesSchreiben();
    // The decimal separator the fields show and store.
    void setTrennzeichen(QChar trennzeichen);

    // What the tick reads: each box's value and each field's number as it stands typed, in ten-thousandths.
    recording::Eingaben eingaben() const;

    // Start-up: the boxes from chk1h down to chk1s, then the fields from txt1s up to txt1h. A stored
    // value that is no valid value of its control gives the key's default.
    void kontrollkaestchenWiederherstellen();
    void schwellenWiederherstellen();

    static QString standardwertChk(Intervall intervall);
    static QString standardwertTxt(Intervall intervall);

    void chk_Click(Intervall intervall);
    void txt_LostFocus(Intervall intervall);

    void chk1s_Click() { chk_Click(Intervall::i1s); }
    void chk2s_Click() { chk_Click(Intervall::i2s); }
    void chk5s_Click() { chk_Click(Intervall::i5s); }
    void chk10s_Click() { chk_Click(Intervall::i10s); }
    void chk20s_Click() { chk_Click(Intervall::i20s); }
    void chk30s_Click() { chk_Click(Intervall::i30s); }
    void chk1m_Click() { chk_Click(Intervall::i1m); }
    void chk2m_Click() { chk_Click(Intervall::i2m); }
    void chk5m_Click() { chk_Click(Intervall::i5m); }
    void chk10m_Click() { chk_Click(Intervall::i10m); }
    void chk30m_Click() { chk_Click(Intervall::i30m); }
    void chk1h_Click() { chk_Click(Intervall::i1h); }

    void txt1s_LostFocus() { txt_LostFocus(Intervall::i1s); }
    void txt2s_LostFocus() { txt_LostFocus(Intervall::i2s); }
    void txt5s_LostFocus() { txt_LostFocus(Intervall::i5s); }
    void txt10s_LostFocus() { txt_LostFocus(Intervall::i10s); }
    void txt20s_LostFocus() { txt_LostFocus(Intervall::i20s); }
    void txt30s_LostFocus() { txt_LostFocus(Intervall::i30s); }
    void txt1m_LostFocus() { txt_LostFocus(Intervall::i1m); }
    void txt2m_LostFocus() { txt_LostFocus(Intervall::i2m); }
    void txt5m_LostFocus() { txt_LostFocus(Intervall::i5m); }
    void txt10m_LostFocus() { txt_LostFocus(Intervall::i10m); }
    void txt30m_LostFocus() { txt_LostFocus(Intervall::i30m); }
    void txt1h_LostFocus() { txt_LostFocus(Intervall::i1h); }

private:
    void zellen();
    static std::size_t platz(Intervall intervall) { return static_cast<std::size_t>(recording::index(intervall)); }

    Einstellungen& m_einstellungen;
    Schreibwache* m_schreibwache;
    std::array<IntervallKasten*, recording::kIntervallAnzahl> m_chk{};
    std::array<Schwellenfeld*, recording::kIntervallAnzahl> m_txt{};
};

} // namespace shell
