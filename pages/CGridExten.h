#pragma once

#include "pages/CLineGrid.h"

#include <QString>
#include <utility>
#include <vector>

struct CCfgData;

/// The extensions of the store: one row per extension, its number as the name (not
/// editable) and as item data, its access password as the value, in ascending order of the
/// numbers. The store keeps its own order, which decides the order of a save's statements:
/// the grid remembers it, and puts extensions added here at its end.
class CGridExten : public CLineGrid
{
    Q_OBJECT

public:
    explicit CGridExten(QWidget* parent = nullptr);

    /// Where the order that decides a save's statements comes from.
    enum class StoreOrder
    {
        /// The store as loaded: the order in which its map enumerates the extensions.
        Enumerated,
        /// A store this grid copied itself into: the order in which it set the extensions.
        AsSet,
    };

    /// Shows the header row and the store's Extens, in place of what the grid showed.
    void InitGrid(const CCfgData& cfg, StoreOrder order = StoreOrder::Enumerated);
    /// Sets the password of extension `nExten` where it is listed; otherwise adds a row for
    /// it in its place.
    void SetExten(int nExten, const QString& password);
    /// The same for several extensions at once, added in the order given.
    void SetExtens(const std::vector<std::pair<int, QString>>& extens);
    /// The row of extension `nExten`, or null.
    CPropertyGridProperty* FindById(int nExten) const;
    /// Replaces the store's Extens with the rows of the grid, in the store's order.
    void SaveToCfg(CCfgData& cfg);

    std::vector<CsvRow> Rows() override;
    void PutRows(const std::vector<CsvRow>& rows) override;

private:
    static std::unique_ptr<CPropertyGridProperty> NewRow(int nExten, const QString& password);
    /// The first row whose number is not below `nExten`.
    int LowerBound(int nExten) const;

    /// Numbers in the store's order, with those added since at the end; a number deleted and
    /// added again is here twice, its last place counting.
    std::vector<int> m_storeOrder;
};
