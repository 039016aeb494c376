#pragma once

#include <QFocusFrame>

class QApplication;

/// The ring around whatever control has the keyboard focus: two pixels of the highlight
/// colour, as the property grids mark theirs, so that a focused button, list or field is as
/// plain to see as a focused grid, whatever the style draws of its own.
class CFocusFrame : public QFocusFrame
{
    Q_OBJECT

public:
    /// One ring for the whole program, following the focus from then on.
    static void Install(QApplication& application);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    using QFocusFrame::QFocusFrame;
    void Follow(QWidget* focused);
};
