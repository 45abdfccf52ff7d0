#include "einzelstart.h"

#include "platform/prozesszugang.h"
#include "platform/sperrdatei.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace shell {

namespace {

constexpr char kBitte[] = "nachvorn\n";
constexpr char kAntwort[] = "ok\n";

QString ordnerSchluessel(const QString& ordner) {
    const QFileInfo info(ordner);
    const QString kanonisch = info.canonicalFilePath();
    return QDir::cleanPath(kanonisch.isEmpty() ? info.absoluteFilePath() : kanonisch);
}

// Short and free of path characters: a socket's path is limited to about a hundred bytes.
QString nameFuer(const QString& datenOrdner) {
    const QByteArray schluessel = (QDir::homePath() + u'\n' + ordnerSchluessel(datenOrdner)).toUtf8();
    return QStringLiteral("gramura-") +
           QString::fromLatin1(QCryptographicHash::hash(schluessel, QCryptographicHash::Sha256).toHex().left(24));
}

} // namespace

EinzelStart::EinzelStart(const QString& datenOrdner, platform::ProzessZugang* zugang, QObject* parent)
    : QObject(parent), m_eigenerZugang(zugang ? nullptr : platform::createProzessZugang()),
      m_zugang(zugang ? zugang : m_eigenerZugang.get()), m_name(nameFuer(datenOrdner)),
      m_sperrPfad(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock"))), m_sperre(m_sperrPfad) {
    // Only a lock whose process is gone is stale, however long the program has been running.
    m_sperre.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &EinzelStart::verbunden);
}

EinzelStart::~EinzelStart() {
    m_server.close();
}

EinzelStart::Ergebnis EinzelStart::anmelden() {
    if (m_sperre.tryLock(0) || (platform::verwaisteSperreEntfernen(m_sperrPfad) && m_sperre.tryLock(0))) {
        // A socket left by a program that was killed would keep the name taken.
        QLocalServer::removeServer(m_name);
        if (!m_server.listen(m_name))
            qWarning("Gramura: ein zweiter Start kann dieses Fenster nicht nach vorn holen: %s",
                     qPrintable(m_server.errorString()));
        return Ergebnis::Erster;
    }
    // The lock names the running program's process. One started as administrator is out of this start's reach
    // on Windows: its socket refuses it, and it would only be waited for in vain. Read until it is known, in
    // case the running program had not finished writing its lock at the first look.
    qint64 pid = 0;
    bool bekannt = false;
    const QDeadlineTimer frist(kWarteMs);
    do {
        if (!bekannt && (bekannt = m_sperre.getLockInfo(&pid, nullptr, nullptr) && pid > 0) && m_zugang->erhoeht(pid))
            return Ergebnis::Erhoeht;
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(500)) {
            if (bekannt)
                m_zugang->vordergrundErlauben(pid);
            socket.write(kBitte);
            if (socket.waitForBytesWritten(1000)) {
                while (socket.bytesAvailable() < qint64(sizeof(kAntwort) - 1) &&
                       socket.waitForReadyRead(static_cast<int>(qMax<qint64>(1, frist.remainingTime()))))
                    ;
                if (socket.readAll().startsWith(kAntwort))
                    return Ergebnis::Weitergereicht;
            }
        }
        // The lock may have been let go meanwhile: the running program ended.
        if (m_sperre.tryLock(0)) {
            QLocalServer::removeServer(m_name);
            m_server.listen(m_name);
            return Ergebnis::Erster;
        }
        QThread::msleep(100);
    } while (!frist.hasExpired());
    return Ergebnis::Haengt;
}

void EinzelStart::verbunden() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            // Anything but the one request is ignored: the socket is the user's own, but still input.
            if (socket->readLine(64) == kBitte) {
                socket->write(kAntwort);
                socket->flush();
                Q_EMIT nachVornGewuenscht();
            }
            socket->disconnectFromServer();
        });
    }
}

} // namespace shell
