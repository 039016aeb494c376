#pragma once

#include "config/formats/CCsvSheet.h"

#include <QDialog>

class QComboBox;

/// Before a record list goes to or comes from a CSV file: which list, and for an import
/// whether the file is merged into the list or replaces it. 选择文件… (Enter) goes on to the
/// file chooser; 取消 and Escape leave.
class CDialogCsvList : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose
    {
        Export,
        Import,
    };

    explicit CDialogCsvList(Purpose purpose, QWidget* parent = nullptr);

    CsvList List() const;
    CCsvSheet::Mode Mode() const;

private:
    QComboBox* m_comboList;
    QComboBox* m_comboMode = nullptr;
};
