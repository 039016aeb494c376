#pragma once

#include "pages/CCfgDialog.h"
#include "pages/CGridExten.h"

class CGridSipAccount;
class CGridTrunkItem;
class CGridTrunkMatch;
class QLineEdit;

/// The lines page: the extensions, SIP registration accounts, trunk items and trunk match
/// rules of the store, each in a grid of its own under a row of controls that add or delete
/// entries by number. The grids are the page's working copy; UpdateCfg rebuilds the four
/// store members from them.
class CDialogCfgLine : public CCfgDialog
{
    Q_OBJECT

public:
    CDialogCfgLine(const CCfgData& cfg, QWidget* parent = nullptr);

    void UpdateCfg(CCfgData& cfg) override;
    void ShowCfg(const CCfgData& cfg) override;
    /// The extensions keep the order in which UpdateCfg set them, so that a save after an
    /// undo sends its statements in the same order as before the edit.
    void ShowCopy(const CCfgData& copy) override;
    CLineGrid* CurrentGrid() override;
    /// Find filters the current list, the extensions' when none had the focus yet.
    FindCount Find(const QString& text) override;
    void FindStep(bool forward) override;
    void EndFind() override;

    /// Adds the extensions first to first + count - 1, each with its number as password; a
    /// listed one keeps its place and gets its password reset.
    void OnAddExten();
    /// Deletes the listed extensions among first to first + count - 1.
    void OnDelExten();
    void OnAddSipAccount();
    void OnDelSipAccount();
    void OnAddTrunkItem();
    void OnDelTrunkItem();
    void OnAddTrunkMatch();
    void OnDelTrunkMatch();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowGrids(const CCfgData& cfg, CGridExten::StoreOrder order);
    /// Reads the first extension and the count, which must be 1 to `maxCount`; false after
    /// telling the user which of the two is wrong.
    bool ReadExtenRange(qint64 maxCount, const char* countMessage, qint64& first, qint64& count);
    void ExtenMessage(const char* text, QLineEdit* refused);
    void ClearExtenRange();

    QLineEdit* m_editFirstExten;
    QLineEdit* m_editExtenCount;
    QLineEdit* m_editSipAccountId;
    QLineEdit* m_editTrunkItemId;
    QLineEdit* m_editTrunkMatchId;
    CGridExten* m_gridExten;
    CGridSipAccount* m_gridSipAccount;
    CGridTrunkItem* m_gridTrunkItem;
    CGridTrunkMatch* m_gridTrunkMatch;
    /// The list that find filters.
    CLineGrid* m_findGrid = nullptr;
};
