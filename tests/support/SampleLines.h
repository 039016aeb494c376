#pragma once

#include <QString>

class CPropertyGridCtrl;
class CPropertyGridProperty;

/// The lines group's sample tables on the test server, and typing into its grids.
namespace SampleLines {

/// Five extensions and a line of another type, two accounts, two trunk items, three match
/// rules (numbered 1 to 3 by the database).
bool FillTables();
/// Loads the store from the test server, as the window's start does.
bool Load();
/// Opens the edit of `row`, types `text` over its value and presses Enter; false when the
/// row did not take it.
bool EditValue(CPropertyGridCtrl& grid, CPropertyGridProperty* row, const QString& text);

} // namespace SampleLines
