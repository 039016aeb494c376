#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

/// Acts on the modal window that the code under test opens next, once its event loop runs.
/// The action gets the modal window; it must end the window or arrange for that.
inline void WhenModalOpens(std::function<void(QWidget*)> action, int attempt = 0)
{
    QTimer::singleShot(10, [action = std::move(action), attempt] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else if (attempt < 500)
            WhenModalOpens(action, attempt + 1);
    });
}

/// Clicks the child button `objectName` of `window`.
inline void ClickButton(QWidget* window, const char* objectName)
{
    if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(objectName)))
        button->click();
}
