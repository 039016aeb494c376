#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QShortcutEvent>
#include <QStringList>
#include <QTest>
#include <QWidget>

/// Sees the mnemonic a button receives and keeps it from pressing the button, so that a
/// test can try every mnemonic of a window without running what the buttons do.
class MnemonicCatcher : public QObject
{
public:
    bool caught = false;
    bool ambiguous = false;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        caught = true;
        ambiguous = static_cast<QShortcutEvent*>(event)->isAmbiguous();
        return true;
    }
};

/// Presses Alt with the letter of each mnemonic `window` shows (on its buttons, and on its
/// labels that name a field) on the real keys, and returns the texts of those that did not
/// reach their control alone: a button must get its mnemonic, unshared; a label's field must
/// get the focus.
inline QStringList DeadMnemonics(QWidget* window)
{
    // The focus arrives with the activation, at times a moment after it.
    if (!QTest::qWaitFor([window] { return window->isAncestorOf(QApplication::focusWidget()); }))
        return {QStringLiteral("(the window has no focus)")};
    QStringList dead;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        auto* label = qobject_cast<QLabel*>(widget);
        const QString text = button ? button->text() : label && label->buddy() ? label->text() : QString();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= text.size() || !widget->isVisible())
            continue;
        const auto key = Qt::Key(text.at(amp + 1).toUpper().unicode());
        if (button) {
            MnemonicCatcher catcher;
            button->installEventFilter(&catcher);
            QTest::keyClick(window, key, Qt::AltModifier);
            button->removeEventFilter(&catcher);
            if (!catcher.caught || catcher.ambiguous)
                dead << text;
        } else {
            window->setFocus();
            QTest::keyClick(window, key, Qt::AltModifier);
            if (!label->buddy()->hasFocus())
                dead << text;
        }
    }
    return dead;
}
