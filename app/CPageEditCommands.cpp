#include "app/CPageEditCommands.h"

#include "app/CGridCommands.h"
#include "config/catalogue/CfgGroups.h"
#include "config/document/CCfgDocument.h"
#include "controls/UserMessage.h"
#include "pages/CCfgDialog.h"
#include "pages/CLineGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

CPageEditCommands::CPageEditCommands(QWidget* window, QMenuBar* menuBar, const CCfgDocument& document,
                                     PageOf pageOf, ShownGroup shownGroup)
    : QObject(window), m_window(window), m_document(document), m_pageOf(std::move(pageOf)),
      m_shownGroup(std::move(shownGroup))
{
    QMenu* edit = menuBar->addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    m_menu = edit;
    QAction* undo = edit->addAction(QStringLiteral("撤销(&U)"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = edit->addAction(QStringLiteral("重做(&R)"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    const auto add = [this, edit](const QString& text, const char* name, const QKeySequence& keys,
                                  void (CPageEditCommands::*command)()) {
        QAction* action = edit->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, command);
        m_listCommands.push_back(action);
    };
    add(QStringLiteral("全选(&A)"), "actionSelectAll", QKeySequence::SelectAll,
        &CPageEditCommands::OnSelectAll);
    add(QStringLiteral("复制(&C)"), "actionCopy", QKeySequence::Copy, &CPageEditCommands::OnCopy);
    add(QStringLiteral("粘贴(&P)..."), "actionPaste", QKeySequence::Paste, &CPageEditCommands::OnPaste);
    add(QStringLiteral("删除所选(&D)..."), "actionDeleteSelected", QKeySequence::Delete,
        &CPageEditCommands::OnDeleteSelected);
    add(QStringLiteral("批量修改(&B)..."), "actionBulkChange", QKeySequence(Qt::CTRL | Qt::Key_B),
        &CPageEditCommands::OnBulkChange);
    edit->addSeparator();
    for (CfgGroup group : kCfgGroups) {
        QAction* revert = edit->addAction(
            QStringLiteral("放弃%1的修改...").arg(QString::fromStdString(CfgGroupName(group))));
        revert->setObjectName(QStringLiteral("actionRevert%1").arg(static_cast<int>(group) + 1));
        connect(revert, &QAction::triggered, this, [this, group] { OnRevert(group); });
    }
    EnableListCommands();
    connect(qApp, &QApplication::focusChanged, this, &CPageEditCommands::EnableListCommands);
    connect(undo, &QAction::triggered, this, &CPageEditCommands::OnUndo);
    connect(redo, &QAction::triggered, this, &CPageEditCommands::OnRedo);
    // Each command tells whether the page on show has something for it.
    connect(edit, &QMenu::aboutToShow, this, [this, undo, redo] {
        CCfgDialog* page = ShownPage();
        undo->setEnabled(page && page->CanUndo());
        redo->setEnabled(page && page->CanRedo());
    });
    // The shortcuts work whatever the menu showed last.
    connect(edit, &QMenu::aboutToHide, this, [undo, redo] {
        undo->setEnabled(true);
        redo->setEnabled(true);
    });
}

CCfgDialog* CPageEditCommands::ShownPage() const
{
    CfgGroup group{};
    return m_shownGroup(group) ? m_pageOf(group) : nullptr;
}

CLineGrid* CPageEditCommands::CurrentGrid() const
{
    CCfgDialog* page = ShownPage();
    CLineGrid* grid = page ? page->CurrentGrid() : nullptr;
    if (!grid)
        ShowNotice(m_window, "请先点击线路配置中要操作的列表（分机、SIP账户、中继项或中继匹配）。");
    return grid;
}

void CPageEditCommands::EnableListCommands()
{
    bool inList = false;
    for (QObject* focus = QApplication::focusWidget(); focus && !inList; focus = focus->parent())
        inList = qobject_cast<CLineGrid*>(focus) != nullptr;
    for (QAction* action : m_listCommands)
        action->setEnabled(inList);
}

void CPageEditCommands::Changed()
{
    if (CCfgDialog* page = ShownPage())
        page->NoteEdit();
    Q_EMIT PageChanged();
}

void CPageEditCommands::OnSelectAll()
{
    if (CLineGrid* grid = CurrentGrid())
        grid->SelectAllRows();
}

void CPageEditCommands::OnCopy()
{
    if (CLineGrid* grid = CurrentGrid()) {
        const QString text = CGridCommands::SelectedAsText(*grid);
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
    }
}

void CPageEditCommands::OnPaste()
{
    if (CLineGrid* grid = CurrentGrid();
        grid && CGridCommands::Paste(m_window, *grid, QApplication::clipboard()->text()))
        Changed();
}

void CPageEditCommands::OnDeleteSelected()
{
    if (CLineGrid* grid = CurrentGrid(); grid && CGridCommands::DeleteSelected(m_window, *grid))
        Changed();
}

void CPageEditCommands::OnBulkChange()
{
    if (CLineGrid* grid = CurrentGrid(); grid && CGridCommands::BulkChange(m_window, *grid))
        Changed();
}

void CPageEditCommands::OnUndo()
{
    if (CCfgDialog* page = ShownPage(); page && page->Undo())
        Q_EMIT PageChanged();
}

void CPageEditCommands::OnRedo()
{
    if (CCfgDialog* page = ShownPage(); page && page->Redo())
        Q_EMIT PageChanged();
}

void CPageEditCommands::OnRevert(CfgGroup group)
{
    CCfgDialog* page = m_pageOf(group);
    if (!page)
        return;
    const std::string name = CfgGroupName(group);
    const std::string question = "放弃" + name + "中尚未保存的修改吗？\r\n页面将显示本窗口上次读取或保存" +
                                 name + "时数据库中的内容；之后仍可撤销。";
    if (ShowMessage(m_window, question, "放弃修改", MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    page->NoteEdit();
    page->ShowCfg(m_document.Reference());
    page->NoteEdit();
    Q_EMIT PageChanged();
}
