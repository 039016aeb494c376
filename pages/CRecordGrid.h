#pragma once

#include "pages/CLineGrid.h"

#include <cstddef>
#include <string>

/// What the SIP account, trunk item and trunk match grids share. One record is one group:
/// its caption holds the record's ID, its item data is the ID, and neither changes after the
/// group is made. Under it one value row per field except the ID, always in the same order,
/// each carrying the ID as item data too. Saving reads the fields back by their position.
class CRecordGrid : public CLineGrid
{
    Q_OBJECT

public:
    using CLineGrid::CLineGrid;

    /// The group whose item data is `nId`, the first from the top; null when there is none.
    CPropertyGridProperty* FindById(int nId) const;

protected:
    /// No header row; the name column gets the given share of the width; the description
    /// area, 2 rows high, on or off.
    void PrepareGrid(int nameShareDivisor, bool descriptionArea);

    /// A group whose caption is `captionFormat` with the ID in place of %1.
    static std::unique_ptr<CPropertyGridProperty> NewGroup(const QString& captionFormat, int nId);
    /// A text field of a record: typing stops at `roomBytes` bytes of UTF-8 (0: no limit).
    static void AddText(CPropertyGridProperty& group, const QString& label, const std::string& text,
                        int roomBytes);
    /// A number field, shown as signed decimal; only a whole number from `minimum` to `maximum`
    /// can be typed.
    static void AddNumber(CPropertyGridProperty& group, const QString& label, int value, int minimum,
                          int maximum, const QString& description = {});
    /// A field edited only by choosing one of `options`.
    static void AddChoice(CPropertyGridProperty& group, const QString& label, const QString& value,
                          const QStringList& options, const QString& description = {});

    /// The text at `position` under `group`, as UTF-8.
    static std::string TextAt(const CPropertyGridProperty& group, int position);
    /// The record ID a group stands for.
    static int IdOf(const CPropertyGridProperty& group);
};
