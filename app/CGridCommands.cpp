#include "app/CGridCommands.h"

#include "config/catalogue/MessageList.h"
#include "config/formats/CCsvSheet.h"
#include "config/formats/CsvText.h"
#include "controls/UserMessage.h"
#include "dialogs/CDialogBulkChange.h"
#include "pages/CLineGrid.h"

#include <string>
#include <vector>

namespace {

// A question names at most this many records of each kind.
constexpr std::size_t kNamesShown = 20;

/// The records' numbers, for a question: the first few, and how many more.
std::string Named(const std::vector<const CsvRow*>& rows, std::size_t idColumn)
{
    std::vector<std::string> names;
    for (std::size_t index = 0; index < rows.size() && index < kNamesShown; ++index)
        names.push_back((*rows[index])[idColumn]);
    std::string text = MessageList(names);
    if (rows.size() > kNamesShown)
        text += " 等 " + std::to_string(rows.size()) + " 条";
    return text;
}

} // namespace

namespace CGridCommands {

bool DeleteSelected(QWidget* window, CLineGrid& grid)
{
    const int count = grid.SelectedCount();
    if (count == 0)
        return false;
    const std::string question = "删除所选的 " + std::to_string(count) + " 条" + grid.Layout().title +
                                 "记录吗？\r\n保存后才从数据库中删除；之前可以撤销。";
    if (ShowMessage(window, question, "删除", MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    grid.DeleteSelected();
    return true;
}

QString SelectedAsText(CLineGrid& grid)
{
    const std::vector<CsvRow> rows = grid.SelectedRecords();
    if (rows.empty())
        return {};
    std::vector<std::string> header;
    for (const CsvColumn& column : grid.Layout().columns)
        header.push_back(column.label);
    std::string text = CsvLine(header, '\t');
    for (const CsvRow& row : rows)
        text += CsvLine(row, '\t');
    return QString::fromStdString(text);
}

bool Paste(QWidget* window, CLineGrid& grid, const QString& text)
{
    const CsvListLayout& layout = grid.Layout();
    const std::vector<CsvRow> existing = grid.Rows();
    CCsvSheet sheet;
    std::vector<CsvRow> merged;
    std::string error;
    if (!sheet.FromPastedText(text.toStdString(), grid.List(), error) ||
        !sheet.Merge(existing, CCsvSheet::Mode::Merge, merged, error)) {
        ShowMessage(window, std::string(layout.title) + "粘贴失败：" + error, "粘贴", MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return false;
    }
    // Merging keeps the list's records in place and puts the new ones after them.
    std::vector<CsvRow> put;
    std::vector<const CsvRow*> added;
    std::vector<const CsvRow*> changed;
    for (std::size_t index = 0; index < merged.size(); ++index) {
        if (index < existing.size() && merged[index] == existing[index])
            continue;
        (index < existing.size() ? changed : added).push_back(&merged[index]);
        put.push_back(merged[index]);
    }
    if (put.empty()) {
        ShowNotice(window, "粘贴的 " + std::to_string(sheet.RowCount()) + " 条" + layout.title +
                               "记录与列表中的相同，没有要修改的内容。");
        return false;
    }
    std::string question = "粘贴到" + std::string(layout.title) + "：添加 " + std::to_string(added.size()) +
                           " 条，修改 " + std::to_string(changed.size()) + " 条。";
    if (!added.empty())
        question += "\r\n添加：" + Named(added, layout.idColumn);
    if (!changed.empty())
        question += "\r\n修改：" + Named(changed, layout.idColumn);
    question += "\r\n保存后才写入数据库；之前可以撤销。";
    if (ShowMessage(window, question, "粘贴", MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    grid.PutRows(put);
    return true;
}

bool BulkChange(QWidget* window, CLineGrid& grid)
{
    std::vector<CsvRow> rows = grid.SelectedRecords();
    if (rows.empty()) {
        ShowNotice(window, "请先在" + std::string(grid.Layout().title) + "列表中选择要修改的记录。");
        return false;
    }
    CDialogBulkChange dialog(grid.Layout(), static_cast<int>(rows.size()), window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (CsvRow& row : rows)
        row[dialog.Column()] = dialog.Value();
    grid.PutRows(rows);
    return true;
}

} // namespace CGridCommands
