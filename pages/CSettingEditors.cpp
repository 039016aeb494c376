#include "pages/CSettingEditors.h"

#include "config/catalogue/CfgRecordField.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "controls/CBrowseEdit.h"
#include "controls/CDigitsValidator.h"
#include "controls/CIndexCombo.h"
#include "controls/CIpAddressEdit.h"
#include "pages/PageForm.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>

using namespace PageForm;

namespace {

QWidget* NewEditor(const CfgSetting& setting)
{
    const QString key = QString::fromLatin1(setting.key);
    switch (setting.editor) {
    case SettingEditor::Address:
        return NewAddressEdit(QStringLiteral("ip") + key);
    case SettingEditor::Port: {
        QLineEdit* edit = NewTextEdit(QStringLiteral("edit") + key);
        edit->setValidator(new CDigitsValidator(kLargestPort, edit));
        return edit;
    }
    case SettingEditor::Digits:
        return NewDigitsEdit(QStringLiteral("edit") + key);
    case SettingEditor::Text:
        return NewTextEdit(QStringLiteral("edit") + key);
    case SettingEditor::Folder: {
        auto* edit = new CBrowseEdit(CBrowseEdit::Mode::Folder);
        edit->setObjectName(QStringLiteral("edit") + key);
        return edit;
    }
    case SettingEditor::Choice:
        break;
    }
    auto* combo = new CIndexCombo;
    combo->setObjectName(QStringLiteral("combo") + key);
    return combo;
}

} // namespace

QWidget* CSettingEditors::Add(const char* key)
{
    const CfgSetting& setting = CfgSettingOf(key);
    QWidget* editor = NewEditor(setting);
    m_entries.push_back({&setting, editor});
    return editor;
}

QWidget* CSettingEditors::Editor(const char* key) const
{
    const CfgSetting* setting = &CfgSettingOf(key);
    for (const Entry& entry : m_entries) {
        if (entry.setting == setting)
            return entry.editor;
    }
    return nullptr;
}

QList<QWidget*> CSettingEditors::TabStops(std::initializer_list<const char*> keys) const
{
    QList<QWidget*> stops;
    for (const char* key : keys) {
        QWidget* editor = Editor(key);
        stops << editor;
        if (CfgSettingOf(key).editor == SettingEditor::Folder)
            stops << static_cast<CBrowseEdit*>(editor)->BrowseButton();
    }
    return stops;
}

void CSettingEditors::Show(const CCfgData& cfg) const
{
    for (const Entry& entry : m_entries) {
        const CfgSetting& setting = *entry.setting;
        if (setting.editor == SettingEditor::Choice) {
            QStringList options;
            for (const char* option : setting.options)
                options << QString::fromUtf8(option);
            static_cast<CIndexCombo*>(entry.editor)->Fill(options, cfg.*setting.number);
        } else if (setting.editor == SettingEditor::Address) {
            static_cast<CIpAddressEdit*>(entry.editor)->SetAddress(FromStore(cfg.*setting.text));
        } else {
            ShowStored(static_cast<QLineEdit*>(entry.editor), cfg.*setting.text);
        }
    }
}

std::vector<QWidget*> CSettingEditors::Mark(const QString& text) const
{
    std::vector<QWidget*> marked;
    for (const Entry& entry : m_entries) {
        const CfgSetting& setting = *entry.setting;
        QString shown;
        if (setting.editor == SettingEditor::Choice)
            shown = static_cast<const CIndexCombo*>(entry.editor)->currentText();
        else if (setting.editor == SettingEditor::Address)
            shown = static_cast<const CIpAddressEdit*>(entry.editor)->Address();
        else if (!setting.secret)
            shown = static_cast<const QLineEdit*>(entry.editor)->text();
        const bool match =
            !text.isEmpty() && (QString::fromUtf8(setting.label).contains(text, Qt::CaseInsensitive) ||
                                QString::fromUtf8(setting.pageLabel).contains(text, Qt::CaseInsensitive) ||
                                QString::fromLatin1(setting.key).contains(text, Qt::CaseInsensitive) ||
                                shown.contains(text, Qt::CaseInsensitive));
        QPalette colours;
        if (match) {
            colours = entry.editor->palette();
            colours.setColor(QPalette::Base, QColor(255, 236, 140));
            marked.push_back(entry.editor);
        }
        // An empty palette gives the editor back the one it inherits.
        entry.editor->setPalette(colours);
    }
    return marked;
}

void CSettingEditors::CopyTo(CCfgData& cfg) const
{
    for (const Entry& entry : m_entries) {
        const CfgSetting& setting = *entry.setting;
        if (setting.editor == SettingEditor::Choice)
            cfg.*setting.number = static_cast<const CIndexCombo*>(entry.editor)->Index();
        else if (setting.editor == SettingEditor::Address)
            cfg.*setting.text = ToStore(static_cast<const CIpAddressEdit*>(entry.editor)->Address());
        else
            cfg.*setting.text = ToStore(static_cast<const QLineEdit*>(entry.editor)->text());
    }
}
