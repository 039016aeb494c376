#include "pages/CDialogCfgSys.h"

#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "controls/CBrowseEdit.h"
#include "controls/CDialogUnits.h"
#include "controls/CIndexCombo.h"
#include "controls/CIpAddressEdit.h"
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

CIndexCombo* NewIndexCombo(const QString& objectName)
{
    auto* combo = new CIndexCombo;
    combo->setObjectName(objectName);
    return combo;
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

QLabel* AddRow(QGridLayout* section, const QString& label, const QString& labelName, QWidget* field,
               QWidget* after = nullptr)
{
    const int row = section->rowCount();
    auto* caption = new QLabel(label);
    caption->setObjectName(labelName);
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

CDialogCfgSys::CDialogCfgSys(const CCfgData& cfg, QWidget* parent) : CCfgDialog(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgSys"));
    QWidget* form = Form();
    const CDialogUnits units(font());

    m_ipCtiAddr = new CIpAddressEdit;
    m_ipCtiAddr->setObjectName(QStringLiteral("ipCtiAddr"));
    m_editCtiPort = NewSettingDigitsEdit("CtiPort");
    m_comboRecType = NewIndexCombo(QStringLiteral("comboRecType"));
    m_editRecPath = NewBrowseEdit(CBrowseEdit::Mode::Folder, QStringLiteral("editRecPath"));
    m_comboDevType = NewIndexCombo(QStringLiteral("comboDevType"));
    m_editAcdPort = NewSettingDigitsEdit("AcdPort");
    m_editAgentLockedPeriod = NewSettingDigitsEdit("AgentLockedPeriod");
    m_comboPPType = NewIndexCombo(QStringLiteral("comboPPType"));
    m_editPPTime = NewSettingDigitsEdit("PPTime");
    m_comboQueueType = NewIndexCombo(QStringLiteral("comboQueueType"));
    m_editLeaveWordPath = NewBrowseEdit(CBrowseEdit::Mode::Folder, QStringLiteral("editLeaveWordPath"));
    m_editIvrFlowCount = NewSettingDigitsEdit("IvrFlowCount");
    m_editFlowFile = NewBrowseEdit(CBrowseEdit::Mode::File, QStringLiteral("editFlowFile"));
    auto* addFlow = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddFlow"));
    m_listFlows = new QListWidget;
    m_listFlows->setObjectName(QStringLiteral("listFlows"));
    m_listFlows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listFlows->setMinimumHeight(units.Y(64));
    GrowsWithWindow(m_listFlows);
    auto* delFlow = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelFlow"));
    m_editLogPath = NewBrowseEdit(CBrowseEdit::Mode::Folder, QStringLiteral("editLogPath"));
    m_editCallConcurrency = NewSettingDigitsEdit("CallConcurrency");
    m_comboTtsType = NewIndexCombo(QStringLiteral("comboTtsType"));
    m_editTtsBufferPath = NewBrowseEdit(CBrowseEdit::Mode::Folder, QStringLiteral("editTtsBufferPath"));

    QGridLayout* cti = NewSection(form, QStringLiteral("CTI:"), QStringLiteral("groupCti"), units);
    QGridLayout* acd = NewSection(form, QStringLiteral("ACD:"), QStringLiteral("groupAcd"), units);
    QGridLayout* ivr = NewSection(form, QStringLiteral("IVR:"), QStringLiteral("groupIvr"), units);
    QGridLayout* other = NewSection(form, QStringLiteral("其它："), QStringLiteral("groupOther"), units);
    const QList<QLabel*> labels = {
        AddRow(cti, QStringLiteral("CTI地址："), QStringLiteral("labelCtiAddr"), m_ipCtiAddr),
        AddRow(cti, QStringLiteral("CTI端口："), QStringLiteral("labelCtiPort"), m_editCtiPort),
        AddRow(cti, QStringLiteral("录音类型："), QStringLiteral("labelRecType"), m_comboRecType),
        AddRow(cti, QStringLiteral("录音路径："), QStringLiteral("labelRecPath"), m_editRecPath),
        AddRow(cti, QStringLiteral("设备类型："), QStringLiteral("labelDevType"), m_comboDevType),
        AddRow(acd, QStringLiteral("端口："), QStringLiteral("labelAcdPort"), m_editAcdPort),
        AddRow(acd, QStringLiteral("座席锁定时长："), QStringLiteral("labelAgentLockedPeriod"),
               m_editAgentLockedPeriod, NewUnit(QStringLiteral("labelAgentLockedPeriodUnit"))),
        AddRow(acd, QStringLiteral("话后处理触发方式："), QStringLiteral("labelPPType"), m_comboPPType),
        AddRow(acd, QStringLiteral("话后处理时长："), QStringLiteral("labelPPTime"), m_editPPTime,
               NewUnit(QStringLiteral("labelPPTimeUnit"))),
        AddRow(acd, QStringLiteral("来电排队方式："), QStringLiteral("labelQueueType"), m_comboQueueType),
        AddRow(ivr, QStringLiteral("留言文件路径："), QStringLiteral("labelLeaveWordPath"),
               m_editLeaveWordPath),
        AddRow(ivr, QStringLiteral("流程数："), QStringLiteral("labelIvrFlowCount"), m_editIvrFlowCount),
        AddRow(ivr, QStringLiteral("选择流程文件："), QStringLiteral("labelFlowFile"), m_editFlowFile,
               addFlow),
        AddRow(other, QStringLiteral("日志路径："), QStringLiteral("labelLogPath"), m_editLogPath),
        AddRow(other, QStringLiteral("外呼最大并发量："), QStringLiteral("labelCallConcurrency"),
               m_editCallConcurrency),
        AddRow(other, QStringLiteral("TTS类型："), QStringLiteral("labelTtsType"), m_comboTtsType),
        AddRow(other, QStringLiteral("TTS缓存目录："), QStringLiteral("labelTtsBufferPath"),
               m_editTtsBufferPath),
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
    SetTabOrder({
        m_ipCtiAddr,
        m_editCtiPort,
        m_comboRecType,
        m_editRecPath,
        m_editRecPath->BrowseButton(),
        m_comboDevType,
        m_editAcdPort,
        m_editAgentLockedPeriod,
        m_comboPPType,
        m_editPPTime,
        m_comboQueueType,
        m_editLeaveWordPath,
        m_editLeaveWordPath->BrowseButton(),
        m_editIvrFlowCount,
        m_editFlowFile,
        m_editFlowFile->BrowseButton(),
        addFlow,
        m_listFlows,
        delFlow,
        m_editLogPath,
        m_editLogPath->BrowseButton(),
        m_editCallConcurrency,
        m_comboTtsType,
        m_editTtsBufferPath,
        m_editTtsBufferPath->BrowseButton(),
    });

    connect(addFlow, &QPushButton::clicked, this, &CDialogCfgSys::OnAddFlow);
    connect(delFlow, &QPushButton::clicked, this, &CDialogCfgSys::OnDelFlow);
    connect(m_comboDevType, &QComboBox::currentIndexChanged, this, &CDialogCfgSys::DeviceTypeChosen);

    OnInitDialog();
    Show(cfg);
}

void CDialogCfgSys::Show(const CCfgData& cfg)
{
    m_ipCtiAddr->SetAddress(FromStore(cfg.CtiAddr));
    ShowStored(m_editCtiPort, cfg.CtiPort);
    m_comboRecType->Fill(OptionsOf("RecType"), cfg.RecType);
    ShowStored(m_editRecPath, cfg.RecPath);
    m_comboDevType->Fill(OptionsOf("DevType"), cfg.DevType);
    ShowStored(m_editAcdPort, cfg.AcdPort);
    ShowStored(m_editAgentLockedPeriod, cfg.AgentLockedPeriod);
    m_comboPPType->Fill(OptionsOf("PPType"), cfg.PPType);
    ShowStored(m_editPPTime, cfg.PPTime);
    m_comboQueueType->Fill(OptionsOf("QueueType"), cfg.QueueType);
    ShowStored(m_editLeaveWordPath, cfg.LeaveWordPath);
    ShowStored(m_editIvrFlowCount, cfg.IvrFlowCount);
    m_listFlows->clear();
    for (const std::string& flow : cfg.IvrFlows)
        m_listFlows->addItem(FromStore(flow));
    ShowStored(m_editLogPath, cfg.LogPath);
    ShowStored(m_editCallConcurrency, cfg.CallConcurrency);
    m_comboTtsType->Fill(OptionsOf("TtsType"), cfg.TtsType);
    ShowStored(m_editTtsBufferPath, cfg.TtsBufferPath);
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
    cfg.CtiAddr = m_ipCtiAddr->Address().toStdString();
    cfg.CtiPort = m_editCtiPort->text().toStdString();
    cfg.RecType = m_comboRecType->Index();
    cfg.RecPath = m_editRecPath->text().toStdString();
    cfg.DevType = m_comboDevType->Index();
    cfg.AcdPort = m_editAcdPort->text().toStdString();
    cfg.AgentLockedPeriod = m_editAgentLockedPeriod->text().toStdString();
    cfg.PPType = m_comboPPType->Index();
    cfg.PPTime = m_editPPTime->text().toStdString();
    cfg.QueueType = m_comboQueueType->Index();
    cfg.LeaveWordPath = m_editLeaveWordPath->text().toStdString();
    cfg.IvrFlowCount = m_editIvrFlowCount->text().toStdString();
    cfg.IvrFlows.clear();
    for (int row = 0; row < m_listFlows->count(); ++row)
        cfg.IvrFlows.push_back(m_listFlows->item(row)->text().toStdString());
    cfg.LogPath = m_editLogPath->text().toStdString();
    cfg.CallConcurrency = m_editCallConcurrency->text().toStdString();
    cfg.TtsBufferPath = m_editTtsBufferPath->text().toStdString();
    cfg.TtsType = m_comboTtsType->Index();
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

void CDialogCfgSys::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_ipCtiAddr);
}
