#pragma once

#include <QList>
#include <QString>
#include <initializer_list>
#include <string>

class CDialogUnits;
class CSettingEditors;
class CIpAddressEdit;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

/// The pieces the configuration pages build their forms from, so that a field of one kind
/// behaves the same on every page.
namespace PageForm {

/// An edit box into which only digits can be typed or pasted; a stored text is shown as it is.
QLineEdit* NewDigitsEdit(const QString& objectName);
/// An edit box for any characters, shown in clear.
QLineEdit* NewTextEdit(const QString& objectName);
CIpAddressEdit* NewAddressEdit(const QString& objectName);
/// A drop-down list: an item can be chosen, nothing typed.
QComboBox* NewCombo(const QString& objectName);
/// A page button. It is never the window's default button: a page presses a focused button
/// on Enter itself (see CCfgDialog).
QPushButton* NewButton(const QString& text, const QString& objectName);
QLabel* NewLabel(const QString& text, const QString& objectName);
/// The label of setting `key` on its page ("label" and the key), for its editor.
QLabel* NewSettingLabel(const char* key, QWidget* editor);

QString FromStore(const std::string& text);
std::string ToStore(const QString& text);
/// Shows a stored text from its start: a long one is recognised by its beginning.
void ShowStored(QLineEdit* edit, const std::string& text);

/// The form of a device page: a heading at the left of the first row, then rows of a label
/// and its field, with sub-headings between them.
class DeviceGrid
{
public:
    DeviceGrid(QWidget* form, const CDialogUnits& units);

    /// The page's heading, at the left of the first row.
    void SetHeading(const QString& text, const QString& objectName);
    /// A sub-heading over the rows that follow it.
    QLabel* AddSubHeading(const QString& text, const QString& objectName);
    /// A label and its field, on a row of their own.
    QLabel* AddField(const QString& label, const QString& labelName, QWidget* field);
    /// A row for each setting of `keys`, in that order, with its editor made by `editors`;
    /// the editors in that order.
    QList<QWidget*> AddSettings(CSettingEditors& editors, std::initializer_list<const char*> keys);
    /// Anything that spans the label and field columns, such as a group of controls.
    void AddWide(QWidget* widget);
    /// Ends the form: the rows keep their height, the space left stays below them.
    void Finish();

private:
    QGridLayout* m_grid;
    int m_nextRow = 0;
};

} // namespace PageForm
