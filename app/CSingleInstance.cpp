#include "app/CSingleInstance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");

} // namespace

QString CSingleInstance::MarkerPath(const QString& appName)
{
    // Only the user can write to the runtime folder, and it belongs to the login session: no
    // other user can take the name first, and only an instance of the same session is found.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/') + appName +
           QStringLiteral(".instance");
}

bool CSingleInstance::ActivateRunning(const QString& appName)
{
    QLocalSocket socket;
    socket.connectToServer(MarkerPath(appName));
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
    const QString name = MarkerPath(appName);
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
}
