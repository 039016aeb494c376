#pragma once

#include <QApplication>
#include <QPoint>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

/// One turn of the wheel over `target`, delivered as the window system delivers it, so that
/// controls that do not use the wheel pass it on to their parents.
inline void Wheel(QWidget* target, QPoint angleDelta)
{
    const QPoint local = target->rect().center();
    QWheelEvent event(local, target->mapToGlobal(local), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(target, &event);
}
