#include "controls/CBrowseEdit.h"

#include <QDir>
#include <QFileDialog>
#include <QStyle>
#include <QToolButton>

namespace {

CBrowseEdit::Chooser& InstalledChooser()
{
    static CBrowseEdit::Chooser chooser;
    return chooser;
}

QString AskWithDialog(QWidget* owner, CBrowseEdit::Mode mode, const QString& current)
{
    if (mode == CBrowseEdit::Mode::Folder)
        return QFileDialog::getExistingDirectory(owner, QString(), current);
    return QFileDialog::getOpenFileName(owner, QString(), current);
}

} // namespace

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

CBrowseEdit::Chooser CBrowseEdit::SetChooser(Chooser chooser)
{
    return std::exchange(InstalledChooser(), std::move(chooser));
}

void CBrowseEdit::OnBrowse()
{
    const Chooser& chooser = InstalledChooser();
    const QString chosen = chooser ? chooser(this, m_mode, text()) : AskWithDialog(this, m_mode, text());
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
