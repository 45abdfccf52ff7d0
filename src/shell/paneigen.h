#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace acquisition {
class PortMapping;
}

namespace platform {
class SerialDevices;
}

namespace shell {

class Einstellungen;
class FrmZusatzSalden;
class FunktionsTaste;
class Schreibwache;

// Page 1, "Einstellungen": the general settings and the recording settings. Owns its controls and the
// handlers that write them to the settings store.
class PanEigen final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIndex = 1;

    PanEigen(Einstellungen& einstellungen, QWidget* parent = nullptr);

    // "&Zentrale…" stands on the window, in the buttons' row below the tab strip, while this page is shown:
    // the page itself has no room left.
    QPushButton* cmdzentraleAnlegen(QWidget* fenster);
    QPushButton* cmdzentrale() const { return m_cmdzentrale; }
    // The tab strip's switch, with the new tab already current.
    void tabkenn_Switch(int index);

    QComboBox* cboport() const { return m_cboport; }
    QComboBox* cbokomma() const { return m_cbokomma; }
    QGroupBox* allgemein() const { return m_allgemein; }
    QComboBox* cboTaste() const;
    FunktionsTaste* funktionstaste() const { return m_funktionstaste; }
    FrmZusatzSalden* frmzusatzsalden() const { return m_frmzusatzsalden; }

    // Start-up: fill the lists, then put the stored choices back. After "COM 32" the port list offers the
    // serial devices present, by their own names.
    void cboportFuellen(const acquisition::PortMapping& ports, const platform::SerialDevices& geraete);
    void portWiederherstellen();
    // The device chosen by its own name; empty while a "COM n" is chosen.
    QString gewaehltesGeraet() const;
    // The chosen port as the operator knows it: "COM 3", or a device's short name without "(fehlt)".
    QString portName() const;
    void cbokommaFuellen();
    void kommaWiederherstellen();

    // A value changed and not yet written, in a list or field that still has the focus, is written now:
    // the window is about to go.
    void geaendertesSchreiben();

    void cboport_LostFocus();
    void cbokomma_LostFocus();
    void cboTaste_LostFocus();

Q_SIGNALS:
    // The operator picked an entry of the port list, the same one or another.
    void portGewaehlt();

private:
    QComboBox* addList(QWidget* parent, const QString& name, int left, int top, int width, int height);

    void geraetEintragen(const QString& pfad, const QString& text, const QString& name);

    Einstellungen& m_einstellungen;
    // What the key "PortGeraet" holds, so that leaving "COM n" clears it only where it was set.
    QString m_gespeichertesGeraet;
    Schreibwache* m_schreibwache;
    QGroupBox* m_allgemein;
    QComboBox* m_cboport;
    QComboBox* m_cbokomma;
    FunktionsTaste* m_funktionstaste;
    FrmZusatzSalden* m_frmzusatzsalden;
    QPushButton* m_cmdzentrale = nullptr;
};

} // namespace shell
