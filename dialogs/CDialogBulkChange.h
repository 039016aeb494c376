#pragma once

#include "config/catalogue/CfgCsvLists.h"

#include <QDialog>
#include <cstddef>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

/// 批量修改: one field of the selected records of a list set to one value. The fields offered
/// are those that neither number a record nor tell it apart; the value is checked by the
/// field's own rules (room, range, options) before the dialog closes.
class CDialogBulkChange : public QDialog
{
    Q_OBJECT

public:
    /// `count`: how many records are selected.
    CDialogBulkChange(const CsvListLayout& layout, int count, QWidget* parent = nullptr);

    /// The field chosen, as a column of the layout.
    std::size_t Column() const;
    /// The value, spelled as the database spells it.
    const std::string& Value() const { return m_value; }

    /// Closes only with a value the field takes; otherwise says why and leaves the value
    /// to be corrected.
    void accept() override;

private:
    /// Shows the options of the chosen field to choose from, or a box to type its value in.
    void ShowValueEditor();

    const CsvListLayout& m_layout;
    std::vector<std::size_t> m_columns;
    QComboBox* m_comboField;
    QLineEdit* m_editValue;
    QComboBox* m_comboValue;
    std::string m_value;
};
