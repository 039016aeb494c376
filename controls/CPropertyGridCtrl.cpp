#include "controls/CPropertyGridCtrl.h"

#include "controls/CPropertyGridModel.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/CPropertyGridView.h"
#include "controls/RowStep.h"

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

void CPropertyGridCtrl::DeleteProperties(const std::vector<CPropertyGridProperty*>& properties)
{
    const CPropertyGridProperty* current = GetCurSel();
    const CPropertyGridProperty* currentRow = CurrentTopLevelRow();
    // The first row left after the first one removed becomes current (the last row left when
    // none is), so the keyboard goes on from there.
    std::vector<bool> removed(static_cast<std::size_t>(m_model->Count()), false);
    for (const CPropertyGridProperty* property : properties)
        removed[static_cast<std::size_t>(m_model->IndexOf(property).row())] = true;
    const auto firstRemoved = std::find(removed.begin(), removed.end(), true);
    const auto nextKept = std::find(firstRemoved, removed.end(), false);
    const auto lastKept = std::find(removed.rbegin(), removed.rend(), false);
    CPropertyGridProperty* next = nullptr;
    if (nextKept != removed.end())
        next = m_model->At(static_cast<int>(nextKept - removed.begin()));
    else if (lastKept != removed.rend())
        next = m_model->At(static_cast<int>(removed.rend() - lastKept - 1));
    const bool currentGoes = std::find(properties.begin(), properties.end(), currentRow) != properties.end();
    m_model->RemoveAll(properties);
    ExpandGroups(0, m_model->Count() - 1);
    if (currentGoes || !current)
        SetCurSel(next);
    else
        SetCurSel(const_cast<CPropertyGridProperty*>(current));
}

const CPropertyGridProperty* CPropertyGridCtrl::CurrentTopLevelRow() const
{
    const CPropertyGridProperty* current = GetCurSel();
    return current && current->GetParent() ? current->GetParent() : current;
}

void CPropertyGridCtrl::EnableMultiSelect()
{
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

std::vector<CPropertyGridProperty*> CPropertyGridCtrl::GetSelectedRows() const
{
    std::vector<bool> selected(static_cast<std::size_t>(m_model->Count()), false);
    for (const QItemSelectionRange& range : m_view->selectionModel()->selection()) {
        const QModelIndex parent = range.parent();
        if (parent.isValid()) {
            selected[static_cast<std::size_t>(parent.row())] = true;
            continue;
        }
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[static_cast<std::size_t>(row)] = true;
    }
    // A row a filter hides is never taken for selected.
    std::vector<CPropertyGridProperty*> rows;
    for (std::size_t row = 0; row < selected.size(); ++row) {
        if (selected[row] && !m_view->isRowHidden(static_cast<int>(row), {}))
            rows.push_back(m_model->At(static_cast<int>(row)));
    }
    return rows;
}

void CPropertyGridCtrl::SelectAllRows()
{
    // The top-level rows shown, a range for each run of them: a group stands for its rows.
    QItemSelection all;
    const int count = m_model->Count();
    for (int first = 0; first < count;) {
        if (m_view->isRowHidden(first, {})) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < count && !m_view->isRowHidden(last + 1, {}))
            ++last;
        all.select(m_model->index(first, CPropertyGridModel::NameColumn),
                   m_model->index(last, CPropertyGridModel::ValueColumn));
        first = last + 1;
    }
    m_view->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
}

int CPropertyGridCtrl::Filter(const QString& text)
{
    m_model->SetMark(text);
    int shown = 0;
    for (int row = 0; row < m_model->Count(); ++row) {
        const bool hide = !text.isEmpty() && !CPropertyGridModel::Holds(*m_model->At(row), text);
        if (m_view->isRowHidden(row, {}) != hide)
            m_view->setRowHidden(row, {}, hide);
        shown += hide ? 0 : 1;
    }
    const CPropertyGridProperty* current = GetCurSel();
    const CPropertyGridProperty* currentRow = CurrentTopLevelRow();
    if (currentRow && !m_view->isRowHidden(m_model->IndexOf(currentRow).row(), {}))
        m_view->scrollTo(m_model->IndexOf(current));
    else
        StepFilter(true);
    m_view->viewport()->update();
    return shown;
}

bool CPropertyGridCtrl::StepFilter(bool forward)
{
    const int count = m_model->Count();
    if (count == 0)
        return false;
    const CPropertyGridProperty* currentRow = CurrentTopLevelRow();
    const int from = currentRow ? m_model->IndexOf(currentRow).row() : (forward ? -1 : count);
    const int row = NextShownRow(from, count, forward,
                                 [this](int candidate) { return !m_view->isRowHidden(candidate, {}); });
    if (row < 0)
        return false;
    SetCurSel(m_model->At(row));
    return true;
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
