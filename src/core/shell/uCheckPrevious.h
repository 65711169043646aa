#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// Keeps one running instance per application directory. The first instance holds a lock file
// there and listens on a local socket; a later start finds the lock held, asks the first
// instance through the socket to raise and restore its window, and must stop. The lock file
// names the holder's process, so a crashed instance never locks the application out.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &appDir, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs and this one must stop (the other has been asked to
    // show itself). False when this instance registered.
    bool RestoreIfRunning();

    bool registered() const { return m_registered; }

signals:
    // A later start asked this instance to bring its window to the front.
    void activationRequested();

private:
    void listen();
    bool askRunningInstanceToShow() const;

    QString m_serverName;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_registered = false;
};
