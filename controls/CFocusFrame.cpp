#include "controls/CFocusFrame.h"

#include "controls/CIpAddressEdit.h"
#include "controls/CPropertyGridView.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <memory>

void CFocusFrame::Install(QApplication& application)
{
    // Owned by the control it rings, moving from one to the next; made again should that one go.
    auto frame = std::make_shared<QPointer<CFocusFrame>>();
    QObject::connect(&application, &QApplication::focusChanged, &application,
                     [frame](QWidget*, QWidget* focused) {
                         if (!*frame)
                             *frame = new CFocusFrame();
                         (*frame)->Follow(focused);
                     });
}

void CFocusFrame::Follow(QWidget* focused)
{
    // An address is one control to the user, whichever of its four parts has the focus.
    QWidget* target = focused;
    for (QWidget* up = focused; up; up = up->parentWidget()) {
        if (qobject_cast<CIpAddressEdit*>(up))
            target = up;
    }
    // A grid rings itself inside its rows; a window has nothing around it to ring.
    const bool rings = target && !target->isWindow() && !qobject_cast<CPropertyGridView*>(target);
    setWidget(rings ? target : nullptr);
    setVisible(rings);
}

void CFocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
