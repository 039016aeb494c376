#include "controls/CPropertyGridDelegate.h"

#include "controls/CIntegerValidator.h"
#include "controls/CPropertyGridModel.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/CTextRoomValidator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

CPropertyGridDelegate::CPropertyGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QColor CPropertyGridDelegate::LineColor(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Button);
}

QWidget* CPropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const
{
    const CPropertyGridProperty* row = CPropertyGridModel::PropertyAt(index);
    if (!row->GetOptions().isEmpty()) {
        auto* choice = new QComboBox(parent);
        choice->setObjectName(QStringLiteral("propertyChoice"));
        choice->setEditable(false);
        choice->addItems(row->GetOptions());
        // Choosing is the whole edit: the choice is taken and the list closes.
        auto* self = const_cast<CPropertyGridDelegate*>(this);
        connect(choice, &QComboBox::activated, self, [self, choice] {
            Q_EMIT self->commitData(choice);
            Q_EMIT self->closeEditor(choice);
        });
        return choice;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("propertyEdit"));
    edit->setFrame(false);
    if (row->IsInteger())
        edit->setValidator(new CIntegerValidator(row->GetMinimum(), row->GetMaximum(), edit));
    else
        edit->setValidator(new CTextRoomValidator(row->GetMaxUtf8Bytes(), row->GetMaxCharacters(), edit));
    return edit;
}

void CPropertyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = CPropertyGridModel::PropertyAt(index)->GetValue();
    if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        // A value that is none of the options (one the database held) stays shown, and
        // stays the value, until an option is chosen.
        choice->setPlaceholderText(value);
        choice->setCurrentIndex(choice->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
        return;
    }
    static_cast<QLineEdit*>(editor)->setText(value);
}

void CPropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const
{
    if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        if (choice->currentIndex() >= 0)
            model->setData(index, choice->currentText());
        return;
    }
    // A number left half typed (empty, a lone minus) keeps the value it had.
    auto* edit = static_cast<QLineEdit*>(editor);
    if (edit->hasAcceptableInput())
        model->setData(index, edit->text());
}

void CPropertyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    // A line under every cell, and one between the name and the value.
    painter->save();
    painter->setPen(LineColor(option.palette));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    if (index.column() == CPropertyGridModel::NameColumn)
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

QSize CPropertyGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Room for an editor's text and the grid line in every row.
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 6));
    return size;
}
