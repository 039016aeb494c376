#pragma once

#include "app/CSingleInstance.h"

#include <QDialog>

/// The main window.
class CTarvexDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTarvexDlg(QWidget* parent = nullptr);

    CSingleInstance& Marker() { return m_marker; }

private:
    CSingleInstance m_marker;
};
