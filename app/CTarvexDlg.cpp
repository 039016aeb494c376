#include "app/CTarvexDlg.h"

#include "app/CCfgFileCommands.h"
#include "app/CPageEditCommands.h"
#include "app/CPageFinder.h"
#include "app/CUnsavedGroups.h"
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgWriter.h"
#include "config/database/ICfgOverwriteQuestion.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "controls/CBusyScope.h"
#include "controls/CButtonST.h"
#include "controls/CDialogUnits.h"
#include "controls/CFindBar.h"
#include "controls/UserMessage.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CDialogCfgChanges.h"
#include "dialogs/CDialogDbInit.h"
#include "dialogs/CDialogDsn.h"
#include "pages/CDialogCfgEhang.h"
#include "pages/CDialogCfgFs.h"
#include "pages/CDialogCfgIpo.h"
#include "pages/CDialogCfgLine.h"
#include "pages/CDialogCfgSys.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QVBoxLayout>
#include <utility>

namespace {

struct GroupImages
{
    const char* in;
    const char* out;
};

// Index 0 unused: groups count from 1.
constexpr GroupImages kGroupImages[] = {
    {nullptr, nullptr},
    {":/images/btn_sys_in.png", ":/images/btn_sys_out.png"},
    {":/images/btn_dev_in.png", ":/images/btn_dev_out.png"},
    {":/images/btn_line_in.png", ":/images/btn_line_out.png"},
};

const QRgb kTransparent = qRgb(0, 0, 0);

CButtonST* NewGroupButton(QWidget* parent, const QString& text, const QString& objectName, const QRect& place)
{
    auto* button = new CButtonST(parent);
    button->setObjectName(objectName);
    button->setText(text);
    button->setGeometry(place);
    return button;
}

QPushButton* NewButton(QWidget* parent, const QString& text, const QString& objectName, const QRect& place)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setGeometry(place);
    return button;
}

} // namespace

CTarvexDlg::CTarvexDlg(CCfgDocument& document, QWidget* parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("CTarvexDlg"));
    setWindowTitle(QStringLiteral("Tarvex"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    QMenu* database = menuBar->addMenu(QStringLiteral("数据库(&D)"));
    database->setObjectName(QStringLiteral("menuDatabase"));
    QAction* dbInit = database->addAction(QStringLiteral("初始化数据库(&I)"));
    dbInit->setObjectName(QStringLiteral("actionDbInit"));
    QAction* dsnSetup = database->addAction(QStringLiteral("数据源设置(&S)"));
    dsnSetup->setObjectName(QStringLiteral("actionDsnSetup"));
    database->addSeparator();
    QAction* exportCfg = database->addAction(QStringLiteral("导出配置到文件(&E)"));
    exportCfg->setObjectName(QStringLiteral("actionExportCfg"));
    QAction* importCfg = database->addAction(QStringLiteral("从文件导入配置(&M)"));
    importCfg->setObjectName(QStringLiteral("actionImportCfg"));
    QAction* compareCfg = database->addAction(QStringLiteral("与文件比较配置(&C)"));
    compareCfg->setObjectName(QStringLiteral("actionCompareCfg"));
    database->addSeparator();
    QAction* exportSheet = database->addAction(QStringLiteral("导出表格(&X)..."));
    exportSheet->setObjectName(QStringLiteral("actionExportSheet"));
    QAction* importSheet = database->addAction(QStringLiteral("导入表格(&T)..."));
    importSheet->setObjectName(QStringLiteral("actionImportSheet"));
    database->addSeparator();
    QAction* restoreBackup = database->addAction(QStringLiteral("恢复备份(&B)..."));
    restoreBackup->setObjectName(QStringLiteral("actionRestoreBackup"));
    QAction* convertForCluster = database->addAction(QStringLiteral("转换为集群表(&L)..."));
    convertForCluster->setObjectName(QStringLiteral("actionConvertForCluster"));
    m_editCommands = new CPageEditCommands(
        this, menuBar, m_document, [this](CfgGroup group) { return PageOf(group); },
        [this](CfgGroup& group) {
            if (m_nCurGroup < 1)
                return false;
            group = static_cast<CfgGroup>(m_nCurGroup - 1);
            return true;
        });
    QMenu* help = menuBar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    QAction* about = help->addAction(QStringLiteral("关于Tarvex(&A)"));
    about->setObjectName(QStringLiteral("actionAbout"));

    m_form = new QWidget(this);
    QWidget* form = m_form;
    m_finder = new CPageFinder(form, m_editCommands->Menu(),
                               m_editCommands->Menu()->findChild<QAction*>(QStringLiteral("actionSelectAll")),
                               [this]() -> CCfgDialog* {
                                   if (m_nCurGroup < 1)
                                       return nullptr;
                                   return PageOf(static_cast<CfgGroup>(m_nCurGroup - 1));
                               });
    connect(m_finder, &CPageFinder::BarToggled, this, &CTarvexDlg::LayOutPages);
    form->setObjectName(QStringLiteral("form"));
    const CDialogUnits units(font());
    // The template's size is the least: the window grows from there, never shrinks below.
    m_formBase = units.Size(299, 274);
    form->setMinimumSize(m_formBase);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(form);

    // The banner shows its bitmap at the bitmap's own size, behind the group buttons.
    m_banner = new QLabel(form);
    m_banner->setObjectName(QStringLiteral("banner"));
    const QPixmap banner(QStringLiteral(":/images/banner.png"));
    m_banner->setPixmap(banner);
    m_banner->setGeometry(QRect(QPoint(0, 0), banner.size()));

    m_btnSys =
        NewGroupButton(form, QStringLiteral("中间件"), QStringLiteral("btnSys"), units.Rect(0, 0, 64, 14));
    m_btnDev =
        NewGroupButton(form, QStringLiteral("设备"), QStringLiteral("btnDev"), units.Rect(64, 0, 64, 14));
    m_btnLine =
        NewGroupButton(form, QStringLiteral("线路"), QStringLiteral("btnLine"), units.Rect(127, 0, 64, 14));

    m_frame = new QFrame(form);
    m_frame->setObjectName(QStringLiteral("frameGroup"));
    m_frame->setFrameStyle(QFrame::Box | QFrame::Raised);
    m_frame->setLineWidth(1);
    m_frame->setMidLineWidth(1);
    m_frameBase = units.Rect(0, 17, 298, 230);
    m_frame->setGeometry(m_frameBase);

    m_labelNoDevice = new QLabel(form);
    m_labelNoDevice->setObjectName(QStringLiteral("labelNoDevice"));
    m_labelNoDevice->setAlignment(Qt::AlignCenter);
    m_labelNoDevice->setWordWrap(true);
    m_labelNoDevice->setGeometry(m_frame->geometry().adjusted(4, 4, -4, -4));
    m_labelNoDevice->hide();
    // Beside the tiles: which device the device page edits while another type is chosen.
    m_labelDeviceHint = new QLabel(form);
    m_labelDeviceHint->setObjectName(QStringLiteral("labelDeviceHint"));
    m_labelDeviceHint->setWordWrap(true);
    m_labelDeviceHint->setTextFormat(Qt::PlainText);
    m_labelDeviceHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Two lines of it fit the height of the tiles.
    QFont smaller = m_labelDeviceHint->font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.9);
    m_labelDeviceHint->setFont(smaller);
    m_labelDeviceHint->hide();

    m_saveBase = units.Rect(219, 254, 38, 14);
    m_exitBase = units.Rect(260, 254, 38, 14);
    m_dataSourceBase = units.Rect(2, 254, 214, 14);
    m_btnSave = NewButton(form, QStringLiteral("保存(&S)"), QStringLiteral("btnSave"), m_saveBase);
    m_btnExit = NewButton(form, QStringLiteral("退出(&X)"), QStringLiteral("btnExit"), m_exitBase);
    // Where Save writes, always in sight; the window's title stays the program's name.
    m_labelDataSource = new QLabel(form);
    m_labelDataSource->setObjectName(QStringLiteral("labelDataSource"));
    m_labelDataSource->setGeometry(m_dataSourceBase);
    m_labelDataSource->setTextFormat(Qt::PlainText);
    ShowDataSource();

    CreatePages();
    setMinimumSize(sizeHint());
    resize(sizeHint());
    RestoreWindowPlace();
    InitPages();
    m_unsaved = new CUnsavedGroups(this, m_document, [this](CfgGroup group) { return PageOf(group); });
    connect(m_unsaved, &CUnsavedGroups::Changed, this, &CTarvexDlg::ShowUnsavedMarks);
    connect(m_editCommands, &CPageEditCommands::PageChanged, m_unsaved, &CUnsavedGroups::Refresh);
    // What an undo or a paste shows is filtered as the find bar asks.
    connect(m_editCommands, &CPageEditCommands::PageChanged, m_finder, &CPageFinder::PageSwitched);
    m_cfgFiles = new CCfgFileCommands(this, m_document, [this] {
        RebuildPages();
        m_unsaved->Refresh();
    });

    connect(m_btnSys, &QPushButton::clicked, this, [this] { ShowGroup(1); });
    connect(m_btnDev, &QPushButton::clicked, this, [this] { ShowGroup(2); });
    connect(m_btnLine, &QPushButton::clicked, this, [this] { ShowGroup(3); });
    connect(m_btnSave, &QPushButton::clicked, this, &CTarvexDlg::OnSave);
    connect(m_btnExit, &QPushButton::clicked, this, &CTarvexDlg::OnExit);
    connect(dbInit, &QAction::triggered, this, &CTarvexDlg::OnDbInit);
    connect(dsnSetup, &QAction::triggered, this, &CTarvexDlg::OnDsnSetup);
    connect(exportCfg, &QAction::triggered, m_cfgFiles, &CCfgFileCommands::OnExportCfg);
    connect(importCfg, &QAction::triggered, this, [this] { Writing([this] { m_cfgFiles->OnImportCfg(); }); });
    connect(compareCfg, &QAction::triggered, m_cfgFiles, &CCfgFileCommands::OnCompareCfg);
    connect(restoreBackup, &QAction::triggered, this,
            [this] { Writing([this] { m_cfgFiles->OnRestoreBackup(); }); });
    connect(exportSheet, &QAction::triggered, m_cfgFiles, &CCfgFileCommands::OnExportSheet);
    connect(importSheet, &QAction::triggered, this,
            [this] { Writing([this] { m_cfgFiles->OnImportSheet(); }); });
    connect(convertForCluster, &QAction::triggered, this,
            [this] { Writing([this] { m_cfgFiles->OnConvertForCluster(); }); });
    connect(about, &QAction::triggered, this, &CTarvexDlg::OnAbout);

    m_marker.Mark(QString::fromStdString(ApplicationName()), this);
}

namespace {

/// Where the window's size and position are kept per user.
QSettings WindowSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarvex"),
                     QStringLiteral("window"));
}

const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");

} // namespace

void CTarvexDlg::RestoreWindowPlace()
{
    const QByteArray geometry = WindowSettings().value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void CTarvexDlg::done(int result)
{
    WindowSettings().setValue(kGeometryKey, saveGeometry());
    QDialog::done(result);
}

void CTarvexDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!m_frame)
        return;
    // What the window has beyond its least size goes to the page frame; the commands stay
    // at the bottom right, the data source at the bottom left.
    const int wider = std::max(0, m_form->width() - m_formBase.width());
    const int taller = std::max(0, m_form->height() - m_formBase.height());
    m_frame->setGeometry(m_frameBase.adjusted(0, 0, wider, taller));
    m_labelNoDevice->setGeometry(m_frame->geometry().adjusted(4, 4, -4, -4));
    const int hintLeft = m_btnLine->geometry().right() + 8;
    m_labelDeviceHint->setGeometry(hintLeft, 0, m_form->width() - hintLeft - 4, m_frame->y());
    m_btnSave->setGeometry(m_saveBase.translated(wider, taller));
    m_btnExit->setGeometry(m_exitBase.translated(wider, taller));
    m_labelDataSource->setGeometry(m_dataSourceBase.translated(0, taller).adjusted(0, 0, wider, 0));
    LayOutPages();
}

QRect CTarvexDlg::PageArea() const
{
    QRect area = m_frame->geometry().adjusted(4, 4, -4, -4);
    if (!m_finder->Bar()->isHidden())
        area.setBottom(area.bottom() - m_finder->Bar()->sizeHint().height());
    return area;
}

void CTarvexDlg::LayOutPages()
{
    if (!m_frame)
        return;
    const QRect area = PageArea();
    // The find bar sits under the page, inside the frame.
    const QRect inside = m_frame->geometry().adjusted(4, 4, -4, -4);
    m_finder->Bar()->setGeometry(inside.left(), area.bottom() + 1, inside.width(),
                                 inside.bottom() - area.bottom());
    const int taller = std::max(0, m_form->height() - m_formBase.height());
    for (CCfgDialog* page : Pages()) {
        if (page) {
            page->SetExtraHeight(taller - (inside.height() - area.height()));
            page->setGeometry(area);
        }
    }
}

void CTarvexDlg::InitPages()
{
    for (int group = 1; group <= 3; ++group) {
        CButtonST* button = group == 1 ? m_btnSys : group == 2 ? m_btnDev : m_btnLine;
        button->SetTransparent();
        button->SetBorder(false, true);
        SetGroupImages(group, false);
    }
    LayOutTiles();
    ShowGroup(1);
}

void CTarvexDlg::LayOutTiles()
{
    // The three tiles form one row from the window's top-left corner, over the banner.
    CButtonST* previous = nullptr;
    for (CButtonST* button : {m_btnSys, m_btnDev, m_btnLine}) {
        button->FitToImage();
        if (previous)
            button->move(previous->geometry().right() + 1, previous->y());
        previous = button;
    }
}

CCfgDialog* CTarvexDlg::PageOf(CfgGroup group) const
{
    switch (group) {
    case CfgGroup::System:
        return m_pageSys;
    case CfgGroup::Device:
        // The page on show while in the group; else the one entering it would show.
        return m_pageDevShown ? m_pageDevShown : SelectedDevicePage();
    case CfgGroup::Lines:
        return m_pageLine;
    }
    return nullptr;
}

void CTarvexDlg::ShowUnsavedMarks()
{
    const std::array<std::pair<CButtonST*, CfgGroup>, 3> tiles = {
        {{m_btnSys, CfgGroup::System}, {m_btnDev, CfgGroup::Device}, {m_btnLine, CfgGroup::Lines}}};
    for (const auto& [tile, group] : tiles) {
        const bool unsaved = m_unsaved->IsUnsaved(group);
        tile->SetMarked(unsaved);
        tile->setToolTip(unsaved ? QStringLiteral("有尚未保存的修改") : QString());
    }
}

void CTarvexDlg::CreatePages()
{
    // Every page fills itself from the store once, here; all three device pages are made,
    // whichever device kind is in use, so the others keep their loaded values for Save.
    m_pageSys = new CDialogCfgSys(m_document.Store(), m_form);
    m_pageEhang = new CDialogCfgEhang(m_document.Store(), m_form);
    m_pageIpo = new CDialogCfgIpo(m_document.Store(), m_form);
    m_pageFs = new CDialogCfgFs(m_document.Store(), m_form);
    m_devPages = {m_pageIpo, m_pageEhang, m_pageFs};
    connect(m_pageSys, &CDialogCfgSys::DeviceTypeChosen, this, &CTarvexDlg::ShowDeviceHint);
    m_pageLine = new CDialogCfgLine(m_document.Store(), m_form);

    const QRect area = PageArea();
    for (CCfgDialog* page : Pages()) {
        PlacePage(page, area);
        page->StartHistory();
    }
}

std::array<CCfgDialog*, 5> CTarvexDlg::Pages() const
{
    return {m_pageSys, m_pageEhang, m_pageIpo, m_pageFs, m_pageLine};
}

void CTarvexDlg::RebuildPages()
{
    const int group = m_nCurGroup;
    ShowGroup(0);
    m_pageDevShown = nullptr;
    for (CCfgDialog* page : Pages())
        delete page;
    CreatePages();
    ShowGroup(group);
    ShowDeviceHint();
}

void CTarvexDlg::PlacePage(CCfgDialog* page, const QRect& area)
{
    if (!page)
        return;
    page->hide();
    page->SetExtraHeight(m_frame->height() - m_frameBase.height());
    page->setGeometry(area);
    page->SetBackgroundColor(Qt::white);
}

void CTarvexDlg::SetGroupImages(int group, bool selected)
{
    CButtonST* button = group == 1 ? m_btnSys : group == 2 ? m_btnDev : m_btnLine;
    const GroupImages& images = kGroupImages[group];
    // The selected group shows its in-image whether or not the mouse is over it.
    const QImage out = selected ? QImage() : QImage(QString::fromLatin1(images.out));
    button->SetImages(QImage(QString::fromLatin1(images.in)), kTransparent, out, kTransparent);
}

bool CTarvexDlg::IsDevTypeValid() const
{
    const int devType = m_document.Store().DevType;
    return devType >= 0 && devType < static_cast<int>(m_devPages.size());
}

CCfgDialog* CTarvexDlg::SelectedDevicePage() const
{
    return IsDevTypeValid() ? m_devPages[static_cast<std::size_t>(m_document.Store().DevType)] : nullptr;
}

void CTarvexDlg::ShowGroup(int group)
{
    if (group == m_nCurGroup)
        return;

    switch (m_nCurGroup) {
    case 1:
        SetGroupImages(1, false);
        m_pageSys->hide();
        break;
    case 2:
        SetGroupImages(2, false);
        if (m_pageDevShown)
            m_pageDevShown->hide();
        m_labelNoDevice->hide();
        break;
    case 3:
        SetGroupImages(3, false);
        m_pageLine->hide();
        break;
    default:
        break;
    }

    switch (group) {
    case 1:
        SetGroupImages(1, true);
        m_pageSys->show();
        break;
    case 2:
        SetGroupImages(2, true);
        // Which device page is on show is fixed here, for the whole stay in the group.
        m_pageDevShown = SelectedDevicePage();
        if (m_pageDevShown) {
            m_pageDevShown->show();
        } else {
            m_labelNoDevice->setText(
                QStringLiteral("设备类型无效（%1）。请在中间件页选择设备类型并保存，再回到设备页。")
                    .arg(m_document.Store().DevType));
            m_labelNoDevice->show();
        }
        break;
    case 3:
        SetGroupImages(3, true);
        m_pageLine->show();
        break;
    default:
        break;
    }
    m_nCurGroup = group;
    m_finder->PageSwitched();
}

void CTarvexDlg::OnSave()
{
    Writing([this] { SaveGroupPage(m_nCurGroup); });
}

void CTarvexDlg::Writing(const std::function<void()>& write)
{
    {
        const QScopedValueRollback<bool> writing(m_writing, true);
        write();
    }
    // A close asked for meanwhile is answered now, from what the write left unsaved.
    if (std::exchange(m_closeWanted, false))
        close();
}

bool CTarvexDlg::SaveGroupPage(int group)
{
    bool saved = false;
    switch (group) {
    case 1:
        m_pageSys->UpdateCfg(m_document.Store());
        saved = SaveGroup(CfgGroup::System, "中间件配置信息保存成功", "中间件配置信息保存失败, ");
        break;
    case 2:
        // A device type that names no page shows no page, and nothing is written.
        if (!m_pageDevShown) {
            ShowNotice(this, "设备配置信息保存失败, 设备类型无效");
            break;
        }
        m_pageDevShown->UpdateCfg(m_document.Store());
        saved = SaveGroup(CfgGroup::Device, "设备配置信息保存成功", "设备配置信息保存失败, ");
        break;
    case 3:
        m_pageLine->UpdateCfg(m_document.Store());
        saved = SaveGroup(CfgGroup::Lines, "线路配置信息保存成功", "线路配置信息保存失败, ");
        break;
    default:
        break;
    }
    if (saved) {
        // What was saved is where undoing stops.
        if (CCfgDialog* page = PageOf(static_cast<CfgGroup>(group - 1)))
            page->StartHistory();
    }
    m_unsaved->Refresh();
    ShowDeviceHint();
    return saved;
}

void CTarvexDlg::ShowDeviceHint()
{
    // The device page follows the saved type, so that its settings are those of the device
    // the middleware uses; a new choice waits for the middleware group's save.
    const int chosen = m_pageSys->DeviceType();
    const int saved = m_document.Store().DevType;
    const QString savedName = CDialogCfgSys::DeviceTypeName(saved);
    const QString chosenName = CDialogCfgSys::DeviceTypeName(chosen);
    m_labelDeviceHint->setVisible(chosen != saved && !chosenName.isEmpty());
    m_labelDeviceHint->setText((savedName.isEmpty() ? QStringLiteral("设备页仍按已保存的设备类型显示")
                                                    : QStringLiteral("设备页仍是 %1 的设置").arg(savedName)) +
                               QStringLiteral("；新的设备类型 %1 在保存中间件配置后生效").arg(chosenName));
}

bool CTarvexDlg::SaveGroup(CfgGroup group, const char* success, const char* failure)
{
    CfgWriteOutcome outcome;
    {
        CBusyScope busy(this, QStringLiteral("正在保存配置..."));
        CfgOverwriteAsking question([this, &busy](CfgGroup changed, const CCfgChanges& changes) {
            return busy.Ask([&] {
                return CDialogCfgChanges::ConfirmOverwrite(
                    this, changed, changes, QStringLiteral("自本窗口上次读取或保存以来"),
                    QStringLiteral(
                        "覆盖：用本页的内容替换数据库中的这些修改。取消：不写入任何内容，本页的修改保留。"));
            });
        });
        outcome = CCfgWriter::Save(*IOtlConnection::getInstance(), m_document, group, &question);
    }
    // The user chose to write nothing over a colleague's changes: nothing more to say.
    if (outcome.result == CfgWriteOutcome::Result::Declined)
        return false;
    std::string text = outcome.IsWritten() ? std::string(success) : failure + outcome.error;
    if (outcome.reconnected)
        text += "\r\n（与数据库的连接曾经断开，保存前已重新连接。）";
    ShowNotice(this, text);
    return outcome.IsWritten();
}

bool CTarvexDlg::ConfirmExit()
{
    m_unsaved->Refresh();
    const std::vector<CfgGroup> unsaved = m_unsaved->Groups();
    if (unsaved.empty())
        return ShowMessage(this, "确定要退出Tarvex吗?", "确认退出", MsgButtons::OkCancel) == MsgAnswer::Ok;
    const MsgAnswer answer = ShowMessage(this, CfgGroupNames(unsaved) + "有尚未保存的修改。退出前保存吗?",
                                         "确认退出", MsgButtons::SaveDiscardCancel, MsgIcon::Question);
    if (answer == MsgAnswer::Discard)
        return true;
    if (answer != MsgAnswer::Save)
        return false;
    // The device group's page is the one the device type selects, whether or not it was shown.
    if (!m_pageDevShown)
        m_pageDevShown = SelectedDevicePage();
    bool saved = true;
    {
        const QScopedValueRollback<bool> writing(m_writing, true);
        for (CfgGroup group : unsaved) {
            saved = SaveGroupPage(static_cast<int>(group) + 1);
            if (!saved)
                break;
        }
    }
    // This is the answer to any close asked for during those saves.
    m_closeWanted = false;
    return saved;
}

void CTarvexDlg::OnExit()
{
    if (ConfirmExit())
        reject();
}

void CTarvexDlg::closeEvent(QCloseEvent* event)
{
    // A write may be waiting on a question of its own: the exit question comes after it, once
    // the outcome is known. Other busy work takes no close. Otherwise the close box and
    // Alt+F4 ask the same question as Exit.
    if (m_writing) {
        m_closeWanted = true;
        event->ignore();
        return;
    }
    if (isEnabled() && ConfirmExit())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void CTarvexDlg::keyPressEvent(QKeyEvent* event)
{
    // Neither key may end the window.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTarvexDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CTarvexDlg::OnDbInit()
{
    // The store and the pages keep what they show, even over tables just emptied; the next
    // saves write them there without taking the emptied tables for a colleague's work.
    CDialogDbInit dialog(this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    for (CfgGroup group : kCfgGroups)
        m_document.NotePartlyWritten(group);
    m_unsaved->Refresh();
}

void CTarvexDlg::OnDsnSetup()
{
    CDialogDsn dialog(this);
    if (dialog.DoModal() == QDialog::Accepted)
        ShowDataSource();
}

void CTarvexDlg::ShowDataSource()
{
    DsnValues values;
    CDsnSettings::Read(values);
    const QString dsn = QString::fromStdString(values.dsn);
    // Where the server is a replica or a node of a cluster, the line says so.
    m_labelDataSource->setText(QStringLiteral("数据源：") + dsn +
                               QString::fromStdString(IOtlConnection::getInstance()->Role().Note()));
    m_labelDataSource->setToolTip(
        QStringLiteral("保存将写入数据源 %1（用户 %2）").arg(dsn, QString::fromStdString(values.user)));
}
