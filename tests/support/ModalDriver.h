#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

/// Ends every modal window still open once a check of the running test has failed, so a
/// failure inside an action below fails the test at once instead of leaving the window
/// waiting until the time limit.
inline void EndModalsAfterFailure()
{
    if (!QTest::currentTestFailed())
        return;
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->hide();
    }
}

namespace ModalDriver {

/// How many actions wait for a modal window to act on; a modal window that opens while none
/// waits is unexpected (see UnexpectedModalGuard.cpp).
inline int pendingActions = 0;

inline void Await(std::function<void(QWidget*)> action, QPointer<QWidget> before, int attempt)
{
    QTimer::singleShot(10, [action = std::move(action), before, attempt] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before) {
            --pendingActions;
            action(modal);
            EndModalsAfterFailure();
        } else if (attempt < 500) {
            Await(action, before, attempt + 1);
        } else {
            --pendingActions;
        }
    });
}

} // namespace ModalDriver

/// Acts on the modal window that the code under test opens next, once its event loop runs:
/// never on the one open as this is called, which may still be busy on its way to the next.
/// The action gets the modal window; it must end the window or arrange for that. A check
/// that fails inside the action ends the window as well.
inline void WhenModalOpens(std::function<void(QWidget*)> action)
{
    ++ModalDriver::pendingActions;
    ModalDriver::Await(std::move(action), QApplication::activeModalWidget(), 0);
}

/// Clicks the child button `objectName` of `window`.
inline void ClickButton(QWidget* window, const char* objectName)
{
    if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(objectName)))
        button->click();
}
