#pragma once

#include <QDialog>

/// A dialog that Escape does not close, so a stray key never throws away what was typed;
/// Enter still reaches the default button, and the close box still cancels.
class CNoEscapeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CNoEscapeDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
