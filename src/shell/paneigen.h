#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;

namespace acquisition {
class PortMapping;
}

namespace shell {

class Einstellungen;
class FrmZusatzSalden;
class FunktionsTaste;

// Page 1, "Einstellungen": the general settings and the recording settings. Owns its controls and the
// handlers that write them to the settings store.
class PanEigen final : public QWidget {
    Q_OBJECT
public:
    PanEigen(Einstellungen& einstellungen, QWidget* parent = nullptr);

    QComboBox* cboport() const { return m_cboport; }
    QComboBox* cbokomma() const { return m_cbokomma; }
    QGroupBox* allgemein() const { return m_allgemein; }
    QComboBox* cboTaste() const;
    FunktionsTaste* funktionstaste() const { return m_funktionstaste; }
    FrmZusatzSalden* frmzusatzsalden() const { return m_frmzusatzsalden; }

    // Start-up: fill the lists, then put the stored choices back.
    void cboportFuellen(const acquisition::PortMapping& ports);
    void portWiederherstellen();
    void cbokommaFuellen();
    void kommaWiederherstellen();

    void cboport_LostFocus();
    void cbokomma_LostFocus();
    void cboTaste_LostFocus();

private:
    QComboBox* addList(QWidget* parent, const QString& name, int left, int top, int width, int height);

    Einstellungen& m_einstellungen;
    QGroupBox* m_allgemein;
    QComboBox* m_cboport;
    QComboBox* m_cbokomma;
    FunktionsTaste* m_funktionstaste;
    FrmZusatzSalden* m_frmzusatzsalden;
};

} // namespace shell
