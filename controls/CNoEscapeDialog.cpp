#include "controls/CNoEscapeDialog.h"

#include <QKeyEvent>

CNoEscapeDialog::CNoEscapeDialog(QWidget* parent) : QDialog(parent) {}

void CNoEscapeDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
