#include "dialogs/CDialogCfgChanges.h"

#include "config/catalogue/CfgGroups.h"
#include "config/document/CCfgChanges.h"
#include "controls/CDialogUnits.h"
#include "db/CDsnSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* NewLabel(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton* NewButton(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

CDialogCfgChanges::CDialogCfgChanges(Mode mode, const QString& heading, const QString& changes,
                                     const QString& warning, QWidget* parent)
    : QDialog(parent), m_editChanges(new QPlainTextEdit(this))
{
    const bool confirm = mode != Mode::View;
    setObjectName(QStringLiteral("CDialogCfgChanges"));
    setWindowTitle(mode == Mode::ConfirmImport      ? QStringLiteral("确认导入配置")
                   : mode == Mode::ConfirmOverwrite ? QStringLiteral("数据库中的配置已被修改")
                                                    : QStringLiteral("配置比较"));

    m_editChanges->setObjectName(QStringLiteral("editChanges"));
    m_editChanges->setReadOnly(true);
    // One change a line, as long as it is: wrapped lines would lose their indentation.
    m_editChanges->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editChanges->setTabChangesFocus(true);
    m_editChanges->setPlainText(changes);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(heading, QStringLiteral("labelCompared"), this));
    layout->addWidget(m_editChanges, 1);
    if (confirm)
        layout->addWidget(NewLabel(warning, QStringLiteral("labelWarning"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    layout->addLayout(buttons);

    if (confirm) {
        QPushButton* import =
            NewButton(mode == Mode::ConfirmImport ? QStringLiteral("导入(&I)") : QStringLiteral("覆盖(&O)"),
                      QStringLiteral("btnOk"), this);
        QPushButton* cancel = NewButton(QStringLiteral("取消"), QStringLiteral("btnCancel"), this);
        buttons->addWidget(import);
        buttons->addWidget(cancel);
        cancel->setDefault(true);
        connect(import, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        cancel->setFocus();
    } else {
        QPushButton* close = NewButton(QStringLiteral("关闭"), QStringLiteral("btnClose"), this);
        buttons->addWidget(close);
        close->setDefault(true);
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        // The list has the focus, so the arrow and page keys scroll it at once.
        m_editChanges->setFocus();
    }

    const CDialogUnits units(font());
    setMinimumSize(units.Size(200, 120));
    resize(units.Size(360, 220));
}

bool CDialogCfgChanges::ConfirmOverwrite(QWidget* owner, CfgGroup group, const CCfgChanges& changes,
                                         const QString& since, const QString& warning)
{
    DsnValues values;
    CDsnSettings::Read(values);
    const QString name = QString::fromStdString(CfgGroupName(group));
    QString lines = name + QStringLiteral("：");
    for (const std::string& line : changes.Lines(group))
        lines += QStringLiteral("\n  ") + QString::fromStdString(line);
    CDialogCfgChanges question(Mode::ConfirmOverwrite,
                               QStringLiteral("%1，数据源 %2 中的%3已被修改。数据库中的变化：")
                                   .arg(since, QString::fromStdString(values.dsn), name),
                               lines, warning, owner);
    return question.exec() == QDialog::Accepted;
}
