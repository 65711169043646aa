#include "core/shell/uCheckPrevious.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kAnswerWaitMs = 2000;
const QByteArray kShowRequest = QByteArrayLiteral("SHOW\n");

QString serverNameFor(const QString &appDir)
{
    const QByteArray hash
            = QCryptographicHash::hash(QDir(appDir).canonicalPath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("pastillero-") + QString::fromLatin1(hash.toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString &appDir, QObject *parent)
    : QObject(parent)
    , m_serverName(serverNameFor(appDir))
    , m_lock(QDir(appDir).filePath(QStringLiteral("pastillero.lock")))
{
    // Never stale by age: only a dead holder (checked by process id) frees the lock.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    if (m_registered)
        m_lock.unlock();
}

bool SingleInstance::RestoreIfRunning()
{
    if (m_registered)
        return false;
    if (m_lock.tryLock(0)) {
        m_registered = true;
        listen();
        return false;
    }
    if (m_lock.error() == QLockFile::LockFailedError) {
        askRunningInstanceToShow();
        return true;
    }
    // The directory refuses a lock file (read-only media): run unguarded rather than never.
    return false;
}

void SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock proves no live instance owns the name: a leftover socket is a crashed one's.
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kShowRequest.trimmed())) {
                    socket->write("OK\n");
                    socket->flush();
                    emit activationRequested();
                }
            });
        }
    });
}

bool SingleInstance::askRunningInstanceToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kAnswerWaitMs))
        return false;
    socket.write(kShowRequest);
    socket.flush();
    const bool answered = socket.waitForReadyRead(kAnswerWaitMs);
    socket.disconnectFromServer();
    return answered;
}
