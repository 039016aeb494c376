#include "pages/CDialogCfgLine.h"

#include "config/catalogue/CfgRecordTable.h"
#include "controls/CDialogUnits.h"
#include "controls/CDigitsValidator.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/UserMessage.h"
#include "pages/CGridExten.h"
#include "pages/CGridSipAccount.h"
#include "pages/CGridTrunkItem.h"
#include "pages/CGridTrunkMatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr int kTemplateHeight = 780;
// The height of each grid, in dialog units.
constexpr int kGridHeight = 150;
// The widest a number box grows, in dialog units.
constexpr int kNumberEditWidth = 60;

QLineEdit* NewNumberEdit(const QString& objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    // Digits only, and never more than a signed 32-bit number holds: the number read is
    // always the one shown.
    edit->setValidator(new CDigitsValidator(std::numeric_limits<int>::max(), edit));
    return edit;
}

QPushButton* NewButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    // Enter does not press page buttons, so none of them may pose as the main window's default.
    button->setAutoDefault(false);
    return button;
}

QLabel* NewLabel(const QString& text, const QString& objectName, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setBuddy(buddy);
    return label;
}

/// The number in a digits-only box; 0 when it is empty.
int NumberIn(const QLineEdit& edit)
{
    return edit.text().toInt();
}

/// `format` with `id` in place of its %d.
std::string WithId(const char* format, int id)
{
    std::string text = format;
    text.replace(text.find("%d"), 2, std::to_string(id));
    return text;
}

template <class Grid>
void AddById(QWidget* page, Grid& grid, const QLineEdit& edit, const char* duplicateFormat)
{
    const int id = NumberIn(edit);
    if (grid.FindById(id)) {
        ShowMessage(page, WithId(duplicateFormat, id), "ID重复");
        return;
    }
    grid.AddNew(id);
}

void DelById(QWidget* page, CRecordGrid& grid, const QLineEdit& edit, const char* missingFormat)
{
    const int id = NumberIn(edit);
    if (CPropertyGridProperty* group = grid.FindById(id))
        grid.DeleteProperty(group);
    else
        ShowMessage(page, WithId(missingFormat, id), "ID不存在");
}

} // namespace

CDialogCfgLine::CDialogCfgLine(const CCfgData& cfg, QWidget* parent) : CCfgDialog(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgLine"));
    const CDialogUnits units(font());

    m_editFirstExten = NewNumberEdit(QStringLiteral("editFirstExten"));
    m_editExtenCount = NewNumberEdit(QStringLiteral("editExtenCount"));
    auto* addExten = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddExten"));
    auto* delExten = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelExten"));
    m_gridExten = new CGridExten;
    m_editSipAccountId = NewNumberEdit(QStringLiteral("editSipAccountId"));
    auto* addSipAccount = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddSipAccount"));
    auto* delSipAccount = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelSipAccount"));
    m_gridSipAccount = new CGridSipAccount;
    m_editTrunkItemId = NewNumberEdit(QStringLiteral("editTrunkItemId"));
    auto* addTrunkItem = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddTrunkItem"));
    auto* delTrunkItem = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelTrunkItem"));
    m_gridTrunkItem = new CGridTrunkItem;
    m_editTrunkMatchId = NewNumberEdit(QStringLiteral("editTrunkMatchId"));
    auto* addTrunkMatch = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddTrunkMatch"));
    auto* delTrunkMatch = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelTrunkMatch"));
    m_gridTrunkMatch = new CGridTrunkMatch;

    auto* layout = new QVBoxLayout(Form());
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(4));
    // One section: its heading at the left edge, its row of controls, its grid below them.
    const auto addSection = [&](const QString& heading, const QString& headingName,
                                const QList<QWidget*>& controls, QWidget* grid) {
        if (!layout->isEmpty())
            layout->addSpacing(units.Y(6));
        layout->addWidget(NewLabel(heading, headingName));
        auto* row = new QHBoxLayout;
        row->setContentsMargins(units.X(7), 0, 0, 0);
        row->setSpacing(units.X(4));
        for (QWidget* control : controls) {
            // The boxes hold numbers of at most ten digits: no need to take the whole row.
            if (qobject_cast<QLineEdit*>(control))
                control->setMaximumWidth(units.X(kNumberEditWidth));
            row->addWidget(control, qobject_cast<QLineEdit*>(control) ? 1 : 0);
        }
        row->addStretch(1);
        layout->addLayout(row);
        grid->setFixedHeight(units.Y(kGridHeight));
        layout->addWidget(grid);
        GrowsWithWindow(grid);
    };
    addSection(QStringLiteral("分机："), QStringLiteral("labelExtenHeading"),
               {NewLabel(QStringLiteral("起始分机："), QStringLiteral("labelFirstExten"), m_editFirstExten),
                m_editFirstExten,
                NewLabel(QStringLiteral("添加数量："), QStringLiteral("labelExtenCount"), m_editExtenCount),
                m_editExtenCount, addExten, delExten},
               m_gridExten);
    addSection(QStringLiteral("SIP账户："), QStringLiteral("labelSipAccountHeading"),
               {NewLabel(QStringLiteral("账户ID："), QStringLiteral("labelSipAccountId"), m_editSipAccountId),
                m_editSipAccountId, addSipAccount, delSipAccount},
               m_gridSipAccount);
    addSection(QStringLiteral("中继项："), QStringLiteral("labelTrunkItemHeading"),
               {NewLabel(QStringLiteral("中继项ID："), QStringLiteral("labelTrunkItemId"), m_editTrunkItemId),
                m_editTrunkItemId, addTrunkItem, delTrunkItem},
               m_gridTrunkItem);
    addSection(
        QStringLiteral("中继匹配："), QStringLiteral("labelTrunkMatchHeading"),
        {NewLabel(QStringLiteral("匹配项ID："), QStringLiteral("labelTrunkMatchId"), m_editTrunkMatchId),
         m_editTrunkMatchId, addTrunkMatch, delTrunkMatch},
        m_gridTrunkMatch);
    layout->addStretch(1);

    SetTabOrder({
        m_editFirstExten,
        m_editExtenCount,
        addExten,
        delExten,
        m_gridExten,
        m_editSipAccountId,
        addSipAccount,
        delSipAccount,
        m_gridSipAccount,
        m_editTrunkItemId,
        addTrunkItem,
        delTrunkItem,
        m_gridTrunkItem,
        m_editTrunkMatchId,
        addTrunkMatch,
        delTrunkMatch,
        m_gridTrunkMatch,
    });

    connect(addExten, &QPushButton::clicked, this, &CDialogCfgLine::OnAddExten);
    connect(delExten, &QPushButton::clicked, this, &CDialogCfgLine::OnDelExten);
    connect(addSipAccount, &QPushButton::clicked, this, &CDialogCfgLine::OnAddSipAccount);
    connect(delSipAccount, &QPushButton::clicked, this, &CDialogCfgLine::OnDelSipAccount);
    connect(addTrunkItem, &QPushButton::clicked, this, &CDialogCfgLine::OnAddTrunkItem);
    connect(delTrunkItem, &QPushButton::clicked, this, &CDialogCfgLine::OnDelTrunkItem);
    connect(addTrunkMatch, &QPushButton::clicked, this, &CDialogCfgLine::OnAddTrunkMatch);
    connect(delTrunkMatch, &QPushButton::clicked, this, &CDialogCfgLine::OnDelTrunkMatch);

    OnInitDialog();
    ShowCfg(cfg);
}

void CDialogCfgLine::ShowCfg(const CCfgData& cfg)
{
    ShowGrids(cfg, CGridExten::StoreOrder::Enumerated);
}

void CDialogCfgLine::ShowCopy(const CCfgData& copy)
{
    ShowGrids(copy, CGridExten::StoreOrder::AsSet);
}

CLineGrid* CDialogCfgLine::CurrentGrid()
{
    for (CLineGrid* grid : std::initializer_list<CLineGrid*>{m_gridExten, m_gridSipAccount, m_gridTrunkItem,
                                                             m_gridTrunkMatch}) {
        if (IsFocusedIn(grid))
            return grid;
    }
    return nullptr;
}

CCfgDialog::FindCount CDialogCfgLine::Find(const QString& text)
{
    CLineGrid* grid = CurrentGrid();
    if (!grid)
        grid = m_gridExten;
    if (m_findGrid && m_findGrid != grid)
        m_findGrid->Filter(QString());
    m_findGrid = grid;
    const int shown = grid->Filter(text);
    BringIntoView(grid);
    return {shown, grid->GetPropertyCount()};
}

void CDialogCfgLine::FindStep(bool forward)
{
    if (m_findGrid)
        m_findGrid->StepFilter(forward);
}

void CDialogCfgLine::EndFind()
{
    if (!m_findGrid)
        return;
    m_findGrid->Filter(QString());
    m_findGrid->setFocus(Qt::OtherFocusReason);
}

void CDialogCfgLine::ShowGrids(const CCfgData& cfg, CGridExten::StoreOrder order)
{
    m_gridExten->InitGrid(cfg, order);
    m_gridSipAccount->InitGrid(cfg);
    m_gridTrunkItem->InitGrid(cfg);
    m_gridTrunkMatch->InitGrid(cfg);
}

void CDialogCfgLine::UpdateCfg(CCfgData& cfg)
{
    m_gridExten->SaveToCfg(cfg);
    m_gridSipAccount->SaveToCfg(cfg);
    m_gridTrunkItem->SaveToCfg(cfg);
    m_gridTrunkMatch->SaveToCfg(cfg);
}

void CDialogCfgLine::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_editFirstExten);
}

void CDialogCfgLine::ExtenMessage(const char* text, QLineEdit* refused)
{
    ShowMessage(this, text, kApplicationTitle, MsgButtons::Ok, MsgIcon::None);
    refused->setFocus(Qt::OtherFocusReason);
}

bool CDialogCfgLine::ReadExtenRange(qint64 maxCount, const char* countMessage, qint64& first, qint64& count)
{
    first = NumberIn(*m_editFirstExten);
    if (first == 0) {
        ExtenMessage("请输入起始分机号!", m_editFirstExten);
        return false;
    }
    count = NumberIn(*m_editExtenCount);
    if (count < 1 || count > maxCount) {
        ExtenMessage(countMessage, m_editExtenCount);
        return false;
    }
    return true;
}

void CDialogCfgLine::ClearExtenRange()
{
    m_editFirstExten->clear();
    m_editExtenCount->clear();
}

void CDialogCfgLine::OnAddExten()
{
    qint64 first = 0;
    qint64 count = 0;
    if (!ReadExtenRange(999, "分机数需在1至999之间！", first, count))
        return;
    // A number beyond the column's range could not be saved.
    if (first + count - 1 > kExtenNumberMost) {
        const std::string text =
            "分机号不能大于" + std::to_string(kExtenNumberMost) + "，请减小起始分机号或添加数量！";
        ExtenMessage(text.c_str(), m_editFirstExten);
        return;
    }
    std::vector<std::pair<int, QString>> extens;
    for (qint64 number = first; number < first + count; ++number)
        extens.emplace_back(static_cast<int>(number), QString::number(number));
    m_gridExten->SetExtens(extens);
    ClearExtenRange();
}

void CDialogCfgLine::OnDelExten()
{
    qint64 first = 0;
    qint64 count = 0;
    if (!ReadExtenRange(99, "分机数需在1至99之间！", first, count))
        return;
    for (qint64 number = first; number < first + count; ++number) {
        if (CPropertyGridProperty* row = m_gridExten->FindById(static_cast<int>(number)))
            m_gridExten->DeleteProperty(row);
    }
    ClearExtenRange();
}

void CDialogCfgLine::OnAddSipAccount()
{
    AddById(this, *m_gridSipAccount, *m_editSipAccountId, "ID = %d的SIP注册账户已存在，请更换ID后重新添加");
}

void CDialogCfgLine::OnDelSipAccount()
{
    DelById(this, *m_gridSipAccount, *m_editSipAccountId, "不存在ID = %d的SIP注册账户！");
}

void CDialogCfgLine::OnAddTrunkItem()
{
    AddById(this, *m_gridTrunkItem, *m_editTrunkItemId, "ID = %d的中继项已存在，请更换ID后重新添加");
}

void CDialogCfgLine::OnDelTrunkItem()
{
    DelById(this, *m_gridTrunkItem, *m_editTrunkItemId, "不存在ID = %d的中继项！");
}

void CDialogCfgLine::OnAddTrunkMatch()
{
    AddById(this, *m_gridTrunkMatch, *m_editTrunkMatchId, "ID = %d的中继匹配已存在，请更换ID后重新添加");
}

void CDialogCfgLine::OnDelTrunkMatch()
{
    DelById(this, *m_gridTrunkMatch, *m_editTrunkMatchId, "不存在ID = %d的中继匹配！");
}
