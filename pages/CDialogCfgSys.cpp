#include "pages/CDialogCfgSys.h"

#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "controls/CBrowseEdit.h"
#include "controls/CDialogUnits.h"
#include "controls/CIndexCombo.h"
#include "controls/CIpAddressEdit.h"
#include "controls/RowStep.h"
#include "controls/UserMessage.h"
#include "pages/PageForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 641;

/// An index setting's choices, as the catalogue names them.
QStringList OptionsOf(const char* key)
{
    QStringList names;
    for (const char* option : CfgSettingOf(key).options)
        names << QString::fromUtf8(option);
    return names;
}

CBrowseEdit* NewBrowseEdit(CBrowseEdit::Mode mode, const QString& objectName)
{
    auto* edit = new CBrowseEdit(mode);
    edit->setObjectName(objectName);
    return edit;
}

// The columns of a section: label, gap, field, gap, what follows the field. The gaps are
// columns of their own so that they stay when a section has nothing after its fields, and
// the fields of all sections line up.
constexpr int kLabelColumn = 0;
constexpr int kFieldColumn = 2;
constexpr int kAfterColumn = 4;

/// One section of the form: a heading over rows of a label, a field and what follows it.
QGridLayout* NewSection(QWidget* form, const QString& heading, const QString& objectName,
                        const CDialogUnits& units)
{
    auto* group = new QGroupBox(heading, form);
    group->setObjectName(objectName);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(units.Y(9));
    grid->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(9));
    grid->setColumnMinimumWidth(kFieldColumn - 1, units.X(4));
    grid->setColumnMinimumWidth(kAfterColumn - 1, units.X(4));
    grid->setColumnStretch(kFieldColumn, 1);
    return grid;
}

QLabel* AddRow(QGridLayout* section, QLabel* caption, QWidget* field, QWidget* after = nullptr)
{
    const int row = section->rowCount();
    caption->setBuddy(field);
    section->addWidget(caption, row, kLabelColumn);
    section->addWidget(field, row, kFieldColumn);
    if (after)
        section->addWidget(after, row, kAfterColumn);
    return caption;
}

QLabel* NewUnit(const QString& objectName)
{
    auto* unit = new QLabel(QStringLiteral("(秒)"));
    unit->setObjectName(objectName);
    return unit;
}

} // namespace

CDialogCfgSys::CDialogCfgSys(const CCfgData& cfg, QWidget* parent) : CSettingsPage(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgSys"));
    QWidget* form = Form();
    const CDialogUnits units(font());

    for (const char* key : {"CtiAddr", "CtiPort", "RecType", "RecPath", "DevType", "AcdPort",
                            "AgentLockedPeriod", "PPType", "PPTime", "QueueType", "LeaveWordPath",
                            "IvrFlowCount", "LogPath", "CallConcurrency", "TtsType", "TtsBufferPath"})
        m_settings.Add(key);
    m_comboDevType = static_cast<CIndexCombo*>(m_settings.Editor("DevType"));
    m_editFlowFile = NewBrowseEdit(CBrowseEdit::Mode::File, QStringLiteral("editFlowFile"));
    auto* addFlow = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddFlow"));
    m_listFlows = new QListWidget;
    m_listFlows->setObjectName(QStringLiteral("listFlows"));
    m_listFlows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listFlows->setMinimumHeight(units.Y(64));
    GrowsWithWindow(m_listFlows);
    auto* delFlow = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelFlow"));

    QGridLayout* cti = NewSection(form, QStringLiteral("CTI:"), QStringLiteral("groupCti"), units);
    QGridLayout* acd = NewSection(form, QStringLiteral("ACD:"), QStringLiteral("groupAcd"), units);
    QGridLayout* ivr = NewSection(form, QStringLiteral("IVR:"), QStringLiteral("groupIvr"), units);
    QGridLayout* other = NewSection(form, QStringLiteral("其它："), QStringLiteral("groupOther"), units);
    auto row = [this](QGridLayout* section, const char* key, QWidget* after = nullptr) {
        QWidget* editor = m_settings.Editor(key);
        return AddRow(section, NewSettingLabel(key, editor), editor, after);
    };
    const QList<QLabel*> labels = {
        row(cti, "CtiAddr"),
        row(cti, "CtiPort"),
        row(cti, "RecType"),
        row(cti, "RecPath"),
        row(cti, "DevType"),
        row(acd, "AcdPort"),
        row(acd, "AgentLockedPeriod", NewUnit(QStringLiteral("labelAgentLockedPeriodUnit"))),
        row(acd, "PPType"),
        row(acd, "PPTime", NewUnit(QStringLiteral("labelPPTimeUnit"))),
        row(acd, "QueueType"),
        row(ivr, "LeaveWordPath"),
        row(ivr, "IvrFlowCount"),
        AddRow(ivr, NewLabel(QStringLiteral("选择流程文件："), QStringLiteral("labelFlowFile")),
               m_editFlowFile, addFlow),
        row(other, "LogPath"),
        row(other, "CallConcurrency"),
        row(other, "TtsType"),
        row(other, "TtsBufferPath"),
    };
    // The list has no label; its delete button stands beside its top.
    const int listRow = ivr->rowCount();
    ivr->addWidget(m_listFlows, listRow, kFieldColumn);
    ivr->addWidget(delFlow, listRow, kAfterColumn, Qt::AlignTop);

    // The same columns in every section, so the fields line up down the whole form.
    int labelWidth = 0;
    for (const QLabel* label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    const int afterWidth = std::max(addFlow->sizeHint().width(), delFlow->sizeHint().width());
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(10));
    for (QGridLayout* section : {cti, acd, ivr, other}) {
        section->setColumnMinimumWidth(kLabelColumn, labelWidth);
        section->setColumnMinimumWidth(kAfterColumn, afterWidth);
        layout->addWidget(section->parentWidget());
    }
    layout->addStretch(1);

    // Tab follows the screen, each browse field's button right after its field.
    SetTabOrder(
        m_settings.TabStops({"CtiAddr", "CtiPort", "RecType", "RecPath", "DevType", "AcdPort",
                             "AgentLockedPeriod", "PPType", "PPTime", "QueueType", "LeaveWordPath",
                             "IvrFlowCount"}) +
        QList<QWidget*>{m_editFlowFile, m_editFlowFile->BrowseButton(), addFlow, m_listFlows, delFlow} +
        m_settings.TabStops({"LogPath", "CallConcurrency", "TtsType", "TtsBufferPath"}));

    connect(addFlow, &QPushButton::clicked, this, &CDialogCfgSys::OnAddFlow);
    connect(delFlow, &QPushButton::clicked, this, &CDialogCfgSys::OnDelFlow);
    connect(m_comboDevType, &QComboBox::currentIndexChanged, this, &CDialogCfgSys::DeviceTypeChosen);

    OnInitDialog();
    SetFirstField(m_settings.Editor("CtiAddr"));
    ShowCfg(cfg);
}

void CDialogCfgSys::ShowCfg(const CCfgData& cfg)
{
    CSettingsPage::ShowCfg(cfg);
    m_listFlows->clear();
    for (const std::string& flow : cfg.IvrFlows)
        m_listFlows->addItem(FromStore(flow));
}

CCfgDialog::FindCount CDialogCfgSys::Find(const QString& text)
{
    m_findingFlows = IsFocusedIn(m_listFlows);
    if (!m_findingFlows)
        return CSettingsPage::Find(text);
    int shown = 0;
    for (int row = 0; row < m_listFlows->count(); ++row) {
        QListWidgetItem* flow = m_listFlows->item(row);
        const bool match = flow->text().contains(text, Qt::CaseInsensitive);
        flow->setHidden(!match);
        shown += match ? 1 : 0;
    }
    if (!m_listFlows->currentItem() || m_listFlows->currentItem()->isHidden())
        FindStep(true);
    BringIntoView(m_listFlows);
    return {shown, m_listFlows->count()};
}

void CDialogCfgSys::FindStep(bool forward)
{
    if (!m_findingFlows) {
        CSettingsPage::FindStep(forward);
        return;
    }
    const int count = m_listFlows->count();
    const int from = m_listFlows->currentRow() >= 0 ? m_listFlows->currentRow() : (forward ? -1 : count);
    const int row = NextShownRow(from, count, forward,
                                 [this](int candidate) { return !m_listFlows->item(candidate)->isHidden(); });
    if (row >= 0)
        m_listFlows->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CDialogCfgSys::EndFind()
{
    if (!m_findingFlows) {
        CSettingsPage::EndFind();
        return;
    }
    Find(QString());
    m_findingFlows = false;
    m_listFlows->setFocus(Qt::OtherFocusReason);
}

int CDialogCfgSys::DeviceType() const
{
    return m_comboDevType->Index();
}

QString CDialogCfgSys::DeviceTypeName(int type)
{
    return OptionsOf("DevType").value(type);
}

void CDialogCfgSys::UpdateCfg(CCfgData& cfg)
{
    CSettingsPage::UpdateCfg(cfg);
    cfg.IvrFlows.clear();
    for (int row = 0; row < m_listFlows->count(); ++row)
        cfg.IvrFlows.push_back(ToStore(m_listFlows->item(row)->text()));
}

void CDialogCfgSys::OnAddFlow()
{
    const QString flow = m_editFlowFile->text();
    if (flow.isEmpty())
        return;
    for (int row = 0; row < m_listFlows->count(); ++row) {
        if (m_listFlows->item(row)->text() == flow) {
            ShowNotice(this, "该流程已添加");
            return;
        }
    }
    m_listFlows->addItem(flow);
    m_editFlowFile->clear();
}

void CDialogCfgSys::OnDelFlow()
{
    const QList<QListWidgetItem*> selected = m_listFlows->selectedItems();
    if (selected.isEmpty())
        return;
    delete m_listFlows->takeItem(m_listFlows->row(selected.front()));
    // The list would select the next flow; a second click must not delete that one too.
    m_listFlows->clearSelection();
}
