#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace platform {
class ProzessZugang;
}

namespace shell {

// One program per user and data folder. Autostart and a click on the icon, or a double click on the menu
// entry, would otherwise leave two processes side by side, each with its own keyboard source, serial port
// and settings. The first start takes a lock file and listens on a local socket named after the user's home
// and the data folder; a later start finds the lock taken, asks the running program over the socket to
// bring its window to the front, and ends.
class EinzelStart final : public QObject {
    Q_OBJECT
public:
    enum class Ergebnis {
        Erster,         // this process runs the window
        Weitergereicht, // the running program was asked to come to the front
        Haengt,         // a program holds the lock but does not answer
        Erhoeht,        // the running program has more rights than this start and cannot be reached from it
    };

    // How long a later start waits for the first one to listen: it may be starting itself.
    static constexpr int kWarteMs = 5000;

    // `zugang` answers what the system allows towards the running program; the platform's own when null.
    explicit EinzelStart(const QString& datenOrdner, platform::ProzessZugang* zugang = nullptr,
                         QObject* parent = nullptr);
    ~EinzelStart() override;

    Ergebnis anmelden();
    QString name() const { return m_name; }

Q_SIGNALS:
    // A later start asked for the window.
    void nachVornGewuenscht();

private:
    void verbunden();

    std::unique_ptr<platform::ProzessZugang> m_eigenerZugang;
    platform::ProzessZugang* m_zugang;
    QString m_name;
    QString m_sperrPfad;
    QLockFile m_sperre;
    QLocalServer m_server;
};

} // namespace shell
