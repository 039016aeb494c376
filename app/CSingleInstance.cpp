#include "app/CSingleInstance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");

/// Per user: another user's instance is never found.
QString ServerName(const QString& appName)
{
    return appName + QLatin1Char('-') + QString::number(::getuid());
}

} // namespace

bool CSingleInstance::ActivateRunning(const QString& appName)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(appName));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Mark(const QString& appName, QWidget* window)
{
    m_window = window;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    const QString name = ServerName(appName);
    if (m_server->listen(name))
        return true;
    // A marker left behind by a process that ended without removing it answers nobody.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectTimeoutMs))
        return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        if (socket->bytesAvailable() > 0)
            ReadRequest(socket);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void CSingleInstance::ReadRequest(QLocalSocket* socket)
{
    m_request += socket->readAll();
    if (m_request.contains(kActivateRequest)) {
        m_request.clear();
        BringToFront();
    }
}

void CSingleInstance::BringToFront()
{
    ++m_activations;
    if (m_window) {
        if (m_window->isMinimized())
            m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
    if (QWidget* popup = QApplication::activeModalWidget()) {
        popup->raise();
        popup->activateWindow();
    }
    Q_EMIT Activated();
}
