#pragma once

#include <QApplication>
#include <QDialog>
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

/// Acts on the modal window that the code under test opens next, once its event loop runs.
/// The action gets the modal window; it must end the window or arrange for that. A check
/// that fails inside the action ends the window as well.
inline void WhenModalOpens(std::function<void(QWidget*)> action, int attempt = 0)
{
    QTimer::singleShot(10, [action = std::move(action), attempt] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            EndModalsAfterFailure();
        } else if (attempt < 500) {
            WhenModalOpens(action, attempt + 1);
        }
    });
}

/// Clicks the child button `objectName` of `window`.
inline void ClickButton(QWidget* window, const char* objectName)
{
    if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(objectName)))
        button->click();
}
