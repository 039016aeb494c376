#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

/// One running main window per application name and user session. The main window holds
/// the marker; a later start that reaches it asks it to come to the front and ends.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    /// Where the marker of `appName` lives: in the user's runtime folder.
    static QString MarkerPath(const QString& appName);
    /// True when a main window of `appName` was running and has been asked to show itself.
    static bool ActivateRunning(const QString& appName);

    /// Sets the marker for `window`: later starts reaching it restore and raise the window
    /// and its open modal dialog. False when another window already holds the marker.
    bool Mark(const QString& appName, QWidget* window);

    /// How often the marked window was asked to show itself.
    int ActivationCount() const { return m_activations; }

private:
    void OnNewConnection();
    void ReadRequest(QLocalSocket* socket);
    void BringToFront();

    QLocalServer* m_server = nullptr;
    QWidget* m_window = nullptr;
    int m_activations = 0;
    QByteArray m_request;
};
