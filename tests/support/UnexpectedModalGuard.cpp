// Linked into every test of the user interface. A modal window that no test action waits for
// would keep its test waiting until the time limit; instead the test fails at once, naming
// the window, and the window is ended.
#include "support/ModalDriver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

namespace {

class UnexpectedModalGuard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow() || !window->isModal() || ModalDriver::pendingActions > 0)
            return false;
        const QByteArray said = QByteArray("a modal window opened that the test does not expect: ") +
                                window->metaObject()->className() + " \"" + window->objectName().toUtf8() +
                                "\" titled \"" + window->windowTitle().toUtf8() + "\"";
        QTest::qFail(said.constData(), __FILE__, __LINE__);
        QTimer::singleShot(0, window, [window] {
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->done(QDialog::Rejected);
            else
                window->hide();
        });
        return false;
    }
};

void InstallUnexpectedModalGuard()
{
    qApp->installEventFilter(new UnexpectedModalGuard(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallUnexpectedModalGuard)
