#pragma once

#include "db/IOtlConnection.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

/// While it lives, database work runs with the busy cursor and `window` takes no input; past
/// a moment a small window says what is going on, and between the round trips the user
/// interface is kept painted, so a long save or set-up never looks hung.
class CBusyScope
{
public:
    CBusyScope(QWidget* window, const QString& text);
    ~CBusyScope();
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

    /// Runs `work` on a thread of its own while this thread keeps the user interface alive,
    /// and returns when it is done. For one long blocking call (logging in), during which no
    /// round trip would give the interface a turn; `work` must touch nothing of the interface.
    void RunInBackground(const std::function<void()>& work);

    /// Asks the user something in the middle of the work: meanwhile the window takes input as
    /// usual, without the busy cursor and window. Returns what `question` returns.
    bool Ask(const std::function<bool()>& question);

    /// How long work must take before the busy window shows.
    static constexpr int kShowAfterMs = 400;

private:
    void OnRoundTrip();
    void ShowBusyWindow();

    QPointer<QWidget> m_window;
    bool m_wasEnabled;
    QString m_text;
    QElapsedTimer m_clock;
    qint64 m_lastPaintMs = 0;
    std::unique_ptr<QWidget> m_busyWindow;
    IOtlConnection::RoundTripHook m_previousHook;
};
