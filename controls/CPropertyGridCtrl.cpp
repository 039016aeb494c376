#include "controls/CPropertyGridCtrl.h"

#include "controls/CPropertyGridModel.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/CPropertyGridView.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

CPropertyGridCtrl::CPropertyGridCtrl(QWidget* parent) : QWidget(parent)
{
    m_model = new CPropertyGridModel(this);
    m_view = new CPropertyGridView(this);
    m_view->setModel(m_model);

    m_description = new QFrame(this);
    m_description->setObjectName(QStringLiteral("propertyDescriptionArea"));
    m_description->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_descriptionName = new QLabel(m_description);
    m_descriptionName->setObjectName(QStringLiteral("propertyDescriptionName"));
    QFont bold = m_descriptionName->font();
    bold.setBold(true);
    m_descriptionName->setFont(bold);
    m_descriptionText = new QLabel(m_description);
    m_descriptionText->setObjectName(QStringLiteral("propertyDescription"));
    m_descriptionText->setWordWrap(true);
    m_descriptionText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* descriptionLayout = new QVBoxLayout(m_description);
    descriptionLayout->setContentsMargins(4, 2, 4, 2);
    descriptionLayout->setSpacing(0);
    descriptionLayout->addWidget(m_descriptionName);
    descriptionLayout->addWidget(m_descriptionText, 1);
    m_description->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_description);

    // The grid takes the focus, and its place in the tab order, through its rows.
    setFocusProxy(m_view);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CPropertyGridCtrl::ShowDescription);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CPropertyGridCtrl::ShowDescription);
    connect(m_view, &CPropertyGridView::EditClosed, this, &CPropertyGridCtrl::EditClosed);
}

CPropertyGridCtrl::~CPropertyGridCtrl() = default;

void CPropertyGridCtrl::EnableHeaderCtrl(bool enable, const QString& nameTitle, const QString& valueTitle)
{
    m_model->SetHeaderTitles(nameTitle, valueTitle);
    m_view->setHeaderHidden(!enable);
}

void CPropertyGridCtrl::EnableDescriptionArea(bool enable, int rows)
{
    const QMargins margins = m_description->layout()->contentsMargins();
    m_description->setFixedHeight(std::max(rows, 1) * m_descriptionText->fontMetrics().lineSpacing() +
                                  margins.top() + margins.bottom() + 2 * m_description->frameWidth());
    m_description->setVisible(enable);
}

void CPropertyGridCtrl::SetNameColumnShare(int divisor)
{
    m_view->SetNameColumnShare(divisor);
}

int CPropertyGridCtrl::GetPropertyCount() const
{
    return m_model->Count();
}

CPropertyGridProperty* CPropertyGridCtrl::GetProperty(int index) const
{
    return m_model->At(index);
}

CPropertyGridProperty* CPropertyGridCtrl::AddProperty(std::unique_ptr<CPropertyGridProperty> property)
{
    CPropertyGridProperty* added = property.get();
    std::vector<std::unique_ptr<CPropertyGridProperty>> rows;
    rows.push_back(std::move(property));
    AddProperties(std::move(rows));
    return added;
}

void CPropertyGridCtrl::AddProperties(std::vector<std::unique_ptr<CPropertyGridProperty>> properties)
{
    InsertProperties(m_model->Count(), std::move(properties));
}

void CPropertyGridCtrl::InsertProperties(int index,
                                         std::vector<std::unique_ptr<CPropertyGridProperty>> properties)
{
    const int count = static_cast<int>(properties.size());
    m_model->Insert(index, std::move(properties));
    ExpandGroups(index, index + count - 1);
}

void CPropertyGridCtrl::ExpandGroups(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        if (m_model->At(row)->IsGroup())
            m_view->expand(m_model->index(row, CPropertyGridModel::NameColumn));
    }
}

void CPropertyGridCtrl::RemoveAll()
{
    m_model->Clear();
}

void CPropertyGridCtrl::DeleteProperty(CPropertyGridProperty* property)
{
    // A removed selection is not handed on to the next row: a second delete must not take it.
    const CPropertyGridProperty* selected = GetCurSel();
    if (selected && (selected == property || selected->GetParent() == property))
        SetCurSel(nullptr);
    m_model->Remove(property);
}

CPropertyGridProperty* CPropertyGridCtrl::FindItemByData(qint64 itemData) const
{
    return m_model->FindByData(itemData);
}

CPropertyGridProperty* CPropertyGridCtrl::GetCurSel() const
{
    return CPropertyGridModel::PropertyAt(m_view->currentIndex());
}

void CPropertyGridCtrl::SetCurSel(CPropertyGridProperty* property)
{
    const QModelIndex index = m_model->IndexOf(property);
    m_view->setCurrentIndex(index);
    if (index.isValid())
        m_view->scrollTo(index);
}

bool CPropertyGridCtrl::EditItem(CPropertyGridProperty* property)
{
    const QModelIndex value = m_model->IndexOf(property, CPropertyGridModel::ValueColumn);
    if (!value.isValid() || property->IsGroup())
        return false;
    m_view->setCurrentIndex(value);
    m_view->edit(value);
    return m_view->IsEditing();
}

void CPropertyGridCtrl::ShowDescription()
{
    const CPropertyGridProperty* row = GetCurSel();
    m_descriptionName->setText(row ? row->GetName() : QString());
    m_descriptionText->setText(row ? row->GetDescription() : QString());
}
