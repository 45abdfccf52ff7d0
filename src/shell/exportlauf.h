#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <memory>
class QWidget;

namespace recording {
class CsvExport;
}

namespace shell {

// One export from the window, a block per turn of the event loop, so that the weight display, the hotkey
// and the recording tick keep their turns in between. Progress shows in a dialog that can cancel it; the
// dialog keeps the window from a second export or "&Löschen" meanwhile, not from its timers.
class ExportLauf final : public QObject {
    Q_OBJECT
public:
    ExportLauf(std::unique_ptr<recording::CsvExport> ausgabe, QWidget* fenster, QObject* parent = nullptr);
    ~ExportLauf() override;

    // False when the export cannot start; fehler() says why.
    bool starten();
    void abbrechen();
    QString fehler() const { return m_fehler; }
    // After a complete export: how many weights went where.
    QString bericht() const;
    QProgressDialog* fortschritt() const { return m_fortschritt; }

Q_SIGNALS:
    // erfolg false with an empty fehler: cancelled by the operator.
    void beendet(bool erfolg, const QString& fehler, qint64 zeilen);

private:
    void schritt();
    void beenden(bool erfolg);

    std::unique_ptr<recording::CsvExport> m_ausgabe;
    QPointer<QProgressDialog> m_fortschritt;
    QTimer m_takt;
    QString m_fehler;
    bool m_beendet = false;
};

} // namespace shell
