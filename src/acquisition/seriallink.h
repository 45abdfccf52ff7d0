#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

namespace platform {
class SerialPort;
}

namespace acquisition {

// The receive-only link to the indicator. Opened at start-up and whenever another port is chosen; after a
// failed opening it stays closed unless weiterVersuchen() is asked for. A port lost while running (adapter pulled, PC
// asleep) is closed at once, its failure kept for one report, and the same device is tried again until it answers.
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSettings = "2400,N,8,1";

    explicit SerialLink(platform::SerialPort& port, QObject* parent = nullptr);

    // Closes an open port, then opens the device with the indicator's line settings. On failure the port
    // stays closed and *error holds the platform's description. A failure of the port before is forgotten.
    bool portoeffnen(const QString& device, QString* error);
    // Whether the last failed opening was refused by the system although the device is there.
    bool zugriffVerweigert() const;
    void close();

    bool isOpen() const;
    QByteArray readAll();
    QString device() const { return m_device; }

    // After a failed opening: keeps trying the same device until it answers, as for a lost port. For a
    // device the operator chose by its own name, an adapter that is plugged in later.
    void weiterVersuchen();

    // The failure of a lost port, handed out once.
    std::optional<QString> takeFailure();
    bool reconnecting() const { return m_retry.isActive(); }
    void setRetryInterval(int ms) { m_retry.setInterval(ms); }

Q_SIGNALS:
    void lost(const QString& description);
    void reconnected();

private:
    void onFailed(const QString& description);
    void retry();

    platform::SerialPort& m_port;
    QString m_device;
    std::optional<QString> m_failure;
    QTimer m_retry;
};

} // namespace acquisition
