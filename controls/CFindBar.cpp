#include "controls/CFindBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* NewButton(const QString& text, const QString& name, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CFindBar::CFindBar(QWidget* parent) : QWidget(parent), m_edit(new QLineEdit(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    m_edit->setObjectName(QStringLiteral("editFind"));
    m_edit->setPlaceholderText(QStringLiteral("号码、账户、地址、名称..."));
    m_edit->setClearButtonEnabled(true);
    m_count->setObjectName(QStringLiteral("labelFindCount"));
    auto* label = new QLabel(QStringLiteral("查找(&F)："), this);
    label->setBuddy(m_edit);
    auto* previous = NewButton(QStringLiteral("上一个"), QStringLiteral("btnFindPrevious"),
                               QStringLiteral("上一个匹配 (Shift+F3)"), this);
    auto* next = NewButton(QStringLiteral("下一个"), QStringLiteral("btnFindNext"),
                           QStringLiteral("下一个匹配 (F3)"), this);
    auto* close = NewButton(QStringLiteral("关闭"), QStringLiteral("btnFindClose"),
                            QStringLiteral("关闭查找 (Esc)"), this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_count);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(close);

    connect(m_edit, &QLineEdit::textChanged, this, &CFindBar::Search);
    connect(previous, &QPushButton::clicked, this, [this] { Q_EMIT Step(false); });
    connect(next, &QPushButton::clicked, this, [this] { Q_EMIT Step(true); });
    connect(close, &QPushButton::clicked, this, &CFindBar::Close);
    // Escape closes the bar from its buttons too.
    for (QWidget* control : {static_cast<QWidget*>(m_edit), static_cast<QWidget*>(previous),
                             static_cast<QWidget*>(next), static_cast<QWidget*>(close)})
        control->installEventFilter(this);
    hide();
}

void CFindBar::Open()
{
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

QString CFindBar::Text() const
{
    return m_edit->text();
}

void CFindBar::ShowCount(int matches, int total)
{
    m_count->setText(m_edit->text().isEmpty() ? QString()
                                              : QStringLiteral("%1 / %2").arg(matches).arg(total));
}

void CFindBar::Close()
{
    hide();
    Q_EMIT Closed();
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // In the box Enter and F3 step; on a button Enter presses it; Escape closes from either.
    if (!enter && key->key() != Qt::Key_Escape && !(watched == m_edit && key->key() == Qt::Key_F3))
        return QWidget::eventFilter(watched, event);
    // Claimed before any shortcut of the window, then acted on when pressed.
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    if (key->key() == Qt::Key_Escape)
        Close();
    else if (auto* button = qobject_cast<QPushButton*>(watched); button && enter)
        button->click();
    else
        Q_EMIT Step(!shift);
    return true;
}
