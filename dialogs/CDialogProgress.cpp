#include "dialogs/CDialogProgress.h"

#include "controls/CDialogUnits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

CDialogProgress::CDialogProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_progress(new QProgressBar(this)),
      m_status(new QLabel(QStringLiteral("数据"), this))
{
    setObjectName(QStringLiteral("CDialogProgress"));
    m_progress->setObjectName(QStringLiteral("progressLoad"));
    m_progress->setTextVisible(false);
    m_status->setObjectName(QStringLiteral("labelStatus"));
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    setFixedSize(CDialogUnits(font()).Size(213, 55));
}

void CDialogProgress::Open(int low, int high)
{
    m_progress->setRange(low, high);
    m_progress->setValue(low);
    show();
    Repaint();
}

void CDialogProgress::SetText(const std::string& text)
{
    m_status->setText(QString::fromStdString(text));
    Repaint();
}

void CDialogProgress::SetPos(int position)
{
    m_progress->setValue(position);
    Repaint();
}

void CDialogProgress::Pause(int milliseconds)
{
    // Waits in short slices so the window stays painted meanwhile.
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - clock.elapsed()) {
        Repaint();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 20)));
    }
}

void CDialogProgress::Close()
{
    close();
}

void CDialogProgress::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialogProgress::Repaint()
{
    // Loading runs on this thread; let the window paint what it now shows, but no input in.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
