#pragma once

#include <QString>

class CLineGrid;
class QWidget;

/// What the edit menu does with the records of a list of the lines page: the selected ones
/// deleted, copied, changed together; a spreadsheet's rows pasted. Each asks or reports over
/// `window`, and is true when the grid changed.
namespace CGridCommands {

/// Asks once, naming how many, then deletes the selected records.
bool DeleteSelected(QWidget* window, CLineGrid& grid);
/// The selected records as tab-separated text under the grid's header, as spreadsheets
/// paste it; empty when nothing is selected.
QString SelectedAsText(CLineGrid& grid);
/// Checks `text` as the CSV import checks a file, merged by the list's key; then names the
/// records it adds and changes and asks before it changes the grid.
bool Paste(QWidget* window, CLineGrid& grid, const QString& text);
/// Asks for a field and a value that field takes, then sets it in every selected record.
bool BulkChange(QWidget* window, CLineGrid& grid);

} // namespace CGridCommands
