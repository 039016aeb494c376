#include "controls/CBusyScope.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <thread>

namespace {

// Often enough to look alive, seldom enough to cost the work nothing.
constexpr qint64 kPaintEveryMs = 30;

} // namespace

CBusyScope::CBusyScope(QWidget* window, const QString& text)
    : m_window(window), m_wasEnabled(window && window->isEnabled()), m_text(text)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_window)
        m_window->setEnabled(false);
    m_clock.start();
    m_previousHook = IOtlConnection::SetRoundTripHook([this] { OnRoundTrip(); });
}

CBusyScope::~CBusyScope()
{
    IOtlConnection::SetRoundTripHook(std::move(m_previousHook));
    m_busyWindow.reset();
    if (m_window)
        m_window->setEnabled(m_wasEnabled);
    QApplication::restoreOverrideCursor();
}

void CBusyScope::RunInBackground(const std::function<void()>& work)
{
    QEventLoop loop;
    std::thread worker([&work, &loop] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer showLater;
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &loop, [this] { ShowBusyWindow(); });
    showLater.start(static_cast<int>(std::max<qint64>(0, kShowAfterMs - m_clock.elapsed())));
    // Input meanwhile reaches only disabled widgets, which drop it.
    loop.exec();
    worker.join();
}

bool CBusyScope::Ask(const std::function<bool()>& question)
{
    IOtlConnection::RoundTripHook hook = IOtlConnection::SetRoundTripHook(m_previousHook);
    m_busyWindow.reset();
    if (m_window)
        m_window->setEnabled(m_wasEnabled);
    QApplication::restoreOverrideCursor();
    const bool answer = question();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_window)
        m_window->setEnabled(false);
    IOtlConnection::SetRoundTripHook(std::move(hook));
    // The work goes on from here: its busy window only after another moment.
    m_clock.restart();
    m_lastPaintMs = 0;
    return answer;
}

void CBusyScope::OnRoundTrip()
{
    const qint64 elapsed = m_clock.elapsed();
    if (elapsed < kShowAfterMs || elapsed - m_lastPaintMs < kPaintEveryMs)
        return;
    m_lastPaintMs = elapsed;
    ShowBusyWindow();
    // Input meanwhile reaches only disabled widgets, which drop it: nothing is edited under
    // the work's feet, and nothing waits to be replayed afterwards.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CBusyScope::ShowBusyWindow()
{
    if (!m_busyWindow) {
        m_busyWindow =
            std::make_unique<QWidget>(m_window ? m_window->window() : nullptr,
                                      Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        m_busyWindow->setObjectName(QStringLiteral("busyWindow"));
        m_busyWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        auto* layout = new QVBoxLayout(m_busyWindow.get());
        auto* label = new QLabel(m_text, m_busyWindow.get());
        label->setObjectName(QStringLiteral("labelBusy"));
        auto* bar = new QProgressBar(m_busyWindow.get());
        bar->setObjectName(QStringLiteral("progressBusy"));
        bar->setRange(0, 0); // no end known: the bar just runs
        bar->setTextVisible(false);
        layout->addWidget(label);
        layout->addWidget(bar);
        m_busyWindow->adjustSize();
        if (m_window) {
            const QRect over = m_window->window()->geometry();
            m_busyWindow->move(over.center() - m_busyWindow->rect().center());
        }
        m_busyWindow->show();
    }
}
