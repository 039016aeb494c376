#pragma once

#include "config/database/ILoadProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;

/// The small captionless window that shows how far loading has come. The keyboard cannot
/// close it.
class CDialogProgress final : public QDialog, public ILoadProgress
{
    Q_OBJECT

public:
    explicit CDialogProgress(QWidget* parent = nullptr);

    void Open(int low, int high) override;
    void SetText(const std::string& text) override;
    void SetPos(int position) override;
    void Pause(int milliseconds) override;
    void Close() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Repaint();

    QProgressBar* m_progress;
    QLabel* m_status;
};
