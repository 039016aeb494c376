#include "controls/CIpAddressEdit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace {

constexpr int kLastPart = 3;
constexpr int kMaxPartValue = 255;

const QRegularExpression& DottedDecimal()
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})$"));
    return pattern;
}

} // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    const int frame = FrameWidth();
    layout->setContentsMargins(frame, frame, frame, frame);
    layout->setSpacing(0);

    const int partWidth = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 6;
    for (int part = 0; part <= kLastPart; ++part) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("ipPart%1").arg(part));
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(3);
        edit->setMinimumWidth(partWidth);
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
        // Only the first part is a tab stop: Tab moves past the whole address, as with any
        // other single field of a form.
        edit->setFocusPolicy(part == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, part] { OnPartEdited(part); });
        connect(edit, &QLineEdit::editingFinished, this, [this, part] { FinishPart(part); });
        connect(edit, &QLineEdit::textChanged, this, &CIpAddressEdit::OnPartChanged);
        m_parts[static_cast<size_t>(part)] = edit;
        layout->addWidget(edit, 1);
        if (part < kLastPart) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setObjectName(QStringLiteral("ipDot%1").arg(part));
            dot->setAlignment(Qt::AlignCenter);
            // The ground of the parts between them too, so the frame looks the same all along.
            dot->setBackgroundRole(QPalette::Base);
            dot->setAutoFillBackground(true);
            layout->addWidget(dot);
        }
    }
    setFocusProxy(m_parts[0]);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_keptView = new QLabel(this);
    m_keptView->setObjectName(QStringLiteral("ipKeptText"));
    m_keptView->setBackgroundRole(QPalette::Base);
    m_keptView->setAutoFillBackground(true);
    m_keptView->setForegroundRole(QPalette::PlaceholderText);
    m_keptView->setIndent(fontMetrics().averageCharWidth());
    // Clicks go through to the parts underneath.
    m_keptView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_keptView->hide();
}

void CIpAddressEdit::SetAddress(const QString& address)
{
    const QRegularExpressionMatch match = DottedDecimal().match(address.trimmed());
    bool valid = match.hasMatch();
    for (int part = 1; valid && part <= kLastPart + 1; ++part)
        valid = match.captured(part).toInt() <= kMaxPartValue;
    m_settingAddress = true;
    for (int part = 0; part <= kLastPart; ++part) {
        const QString text = valid ? QString::number(match.captured(part + 1).toInt()) : QString();
        m_parts[static_cast<size_t>(part)]->setText(text);
    }
    m_settingAddress = false;
    m_kept = valid ? QString() : address;
    UpdateKeptView();
}

QString CIpAddressEdit::Address() const
{
    if (!m_kept.isEmpty())
        return m_kept;
    bool anyFilled = false;
    for (const QLineEdit* edit : m_parts)
        anyFilled = anyFilled || !edit->text().isEmpty();
    if (!anyFilled)
        return {};
    QStringList numbers;
    // A part typed beyond 255 but not yet left reads as 255, as it will show once left.
    for (const QLineEdit* edit : m_parts)
        numbers << QString::number(std::min(edit->text().toInt(), kMaxPartValue));
    return numbers.join(QLatin1Char('.'));
}

QString CIpAddressEdit::KeptText() const
{
    return m_kept;
}

QSize CIpAddressEdit::sizeHint() const
{
    const QSize parts = layout()->sizeHint();
    return {parts.width(), m_parts[0]->sizeHint().height() + 2 * FrameWidth()};
}

QSize CIpAddressEdit::minimumSizeHint() const
{
    const QSize parts = layout()->minimumSize();
    return {parts.width(), m_parts[0]->sizeHint().height() + 2 * FrameWidth()};
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event)
{
    const int part = PartOf(watched);
    if (part < 0)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandlePartKey(part, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The frame shows the focus of the whole field.
        update();
        UpdateKeptView();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CIpAddressEdit::paintEvent(QPaintEvent*)
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = FrameWidth();
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    for (const QLineEdit* edit : m_parts) {
        if (edit->hasFocus())
            option.state |= QStyle::State_HasFocus;
    }
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}

void CIpAddressEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int frame = FrameWidth();
    m_keptView->setGeometry(rect().adjusted(frame, frame, -frame, -frame));
}

void CIpAddressEdit::OnPartChanged()
{
    // Any change by the user, or by the program after the address was set, replaces the
    // kept text with what the parts say.
    if (m_settingAddress || m_kept.isEmpty())
        return;
    m_kept.clear();
    UpdateKeptView();
}

void CIpAddressEdit::UpdateKeptView()
{
    bool partFocused = false;
    for (const QLineEdit* edit : m_parts)
        partFocused = partFocused || edit->hasFocus();
    m_keptView->setText(m_kept);
    m_keptView->setVisible(!m_kept.isEmpty() && !partFocused);
}

int CIpAddressEdit::PartOf(QObject* object) const
{
    for (int part = 0; part <= kLastPart; ++part) {
        if (m_parts[static_cast<size_t>(part)] == object)
            return part;
    }
    return -1;
}

bool CIpAddressEdit::HandlePartKey(int part, QKeyEvent* event)
{
    const QLineEdit* edit = m_parts[static_cast<size_t>(part)];
    const bool atStart = edit->cursorPosition() == 0 && !edit->hasSelectedText();
    const bool atEnd = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
    switch (event->key()) {
    case Qt::Key_Period:
        // A dot in an empty part is the one typed right after three digits moved on already.
        if (part < kLastPart && !edit->text().isEmpty()) {
            FinishPart(part);
            EnterPart(part + 1, -1);
        }
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (part > 0 && atStart && event->modifiers() == Qt::NoModifier) {
            EnterPart(part - 1, m_parts[static_cast<size_t>(part - 1)]->text().size());
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (part < kLastPart && atEnd && event->modifiers() == Qt::NoModifier) {
            FinishPart(part);
            EnterPart(part + 1, 0);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        // The later parts are no tab stops; going back from them must leave the field, not
        // stop at its first part.
        if (part > 0) {
            m_parts[0]->setFocus(Qt::BacktabFocusReason);
            focusPreviousChild();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CIpAddressEdit::OnPartEdited(int part)
{
    const QLineEdit* edit = m_parts[static_cast<size_t>(part)];
    if (part < kLastPart && edit->text().size() == 3 && edit->cursorPosition() == 3) {
        FinishPart(part);
        EnterPart(part + 1, -1);
    }
}

void CIpAddressEdit::FinishPart(int part)
{
    QLineEdit* edit = m_parts[static_cast<size_t>(part)];
    if (edit->text().isEmpty())
        return;
    const QString normalised = QString::number(std::min(edit->text().toInt(), kMaxPartValue));
    if (normalised != edit->text())
        edit->setText(normalised);
}

void CIpAddressEdit::EnterPart(int part, int cursor)
{
    QLineEdit* edit = m_parts[static_cast<size_t>(part)];
    edit->setFocus(Qt::OtherFocusReason);
    if (cursor < 0)
        edit->selectAll();
    else
        edit->setCursorPosition(cursor);
}

int CIpAddressEdit::FrameWidth() const
{
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
}
