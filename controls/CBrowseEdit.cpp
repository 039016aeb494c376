#include "controls/CBrowseEdit.h"

#include "controls/CFileChooser.h"

#include <QDir>
#include <QStyle>
#include <QToolButton>

CBrowseEdit::CBrowseEdit(Mode mode, QWidget* parent) : QLineEdit(parent), m_mode(mode)
{
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("btnBrowse"));
    m_button->setText(QStringLiteral("..."));
    // Reached by Tab, not taken by a click: a click leaves the focus where it was.
    m_button->setFocusPolicy(Qt::TabFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setAutoRaise(true);
    connect(m_button, &QToolButton::clicked, this, &CBrowseEdit::OnBrowse);
    // Keeps the text clear of the button.
    setTextMargins(0, 0, m_button->sizeHint().width(), 0);
    PlaceButton();
}

void CBrowseEdit::OnBrowse()
{
    CFileChooser::Request request;
    request.owner = this;
    request.mode = m_mode == Mode::Folder ? CFileChooser::Mode::Folder : CFileChooser::Mode::Open;
    request.start = text();
    const QString chosen = CFileChooser::Choose(request);
    if (chosen.isEmpty())
        return;
    setText(QDir::toNativeSeparators(chosen));
    setFocus(Qt::OtherFocusReason);
}

void CBrowseEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void CBrowseEdit::PlaceButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int width = m_button->sizeHint().width();
    m_button->setGeometry(rect().right() - frame - width + 1, frame, width,
                          std::max(0, height() - 2 * frame));
}
