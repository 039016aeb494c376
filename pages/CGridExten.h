#pragma once

#include "controls/CPropertyGridCtrl.h"

/// The extensions of the store: one row per extension, its number as the name (not
/// editable) and as item data, its access password as the value.
class CGridExten : public CPropertyGridCtrl
{
    Q_OBJECT

public:
    /// The most characters of a password that conf_line keeps.
    static constexpr int kPasswordRoom = 100;

    explicit CGridExten(QWidget* parent = nullptr);

    /// Shows the header row and fills the grid from the store's Extens, in the map's own
    /// enumeration order.
    void InitGrid();
    /// Sets the password of extension `nExten` where it is listed, keeping its place;
    /// otherwise appends a row for it at the bottom.
    void SetExten(unsigned nExten, const QString& password);
    /// The row of extension `nExten`, or null.
    CPropertyGridProperty* FindById(unsigned nExten) const;
    /// Replaces the store's Extens with the rows of the grid.
    void SaveToCfg();

private:
    static std::unique_ptr<CPropertyGridProperty> NewRow(unsigned nExten, const QString& password);
};
