#pragma once

#include <QWidget>
#include <memory>
#include <vector>

class CPropertyGridModel;
class CPropertyGridProperty;
class CPropertyGridView;
class QFrame;
class QLabel;

/// A property grid: rows of a name and a value, top-level rows in the order they were added,
/// groups that gather value rows under a caption and can be expanded and collapsed. Values
/// are edited in place (see CPropertyGridView for the keyboard of an edit). Under the rows
/// an optional description area shows the name and the description of the selected row; over
/// them an optional header row titles the two columns. The grid is one tab stop.
///
/// Built on a tree view and a model, so a row costs no widget: tens of thousands of rows are
/// added, found and shown without delay.
class CPropertyGridCtrl : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyGridCtrl(QWidget* parent = nullptr);
    ~CPropertyGridCtrl() override;

    /// Shows or hides the header row, with these titles over the name and value columns.
    void EnableHeaderCtrl(bool enable, const QString& nameTitle = {}, const QString& valueTitle = {});
    /// Shows or hides the description area, `rows` lines of text high.
    void EnableDescriptionArea(bool enable, int rows);
    /// The name column is the grid's client width divided by `divisor`, kept so on resizing.
    void SetNameColumnShare(int divisor);

    int GetPropertyCount() const;
    CPropertyGridProperty* GetProperty(int index) const;
    /// Appends a row at the bottom; a group comes with its sub-rows and is shown expanded.
    CPropertyGridProperty* AddProperty(std::unique_ptr<CPropertyGridProperty> property);
    /// Appends rows at the bottom in their order, as one insertion.
    void AddProperties(std::vector<std::unique_ptr<CPropertyGridProperty>> properties);
    /// Inserts rows before top-level row `index`, in their order, as one insertion.
    void InsertProperties(int index, std::vector<std::unique_ptr<CPropertyGridProperty>> properties);
    /// Removes every row.
    void RemoveAll();
    /// Removes these top-level rows, groups with all their sub-rows, in one go.
    void DeleteProperties(const std::vector<CPropertyGridProperty*>& properties);
    /// Removes a top-level row, a group with all its sub-rows; the row is freed.
    void DeleteProperty(CPropertyGridProperty* property);
    /// The first top-level row from the top whose item data is `itemData`, or null.
    CPropertyGridProperty* FindItemByData(qint64 itemData) const;

    /// The selected row, or null.
    CPropertyGridProperty* GetCurSel() const;
    /// Selects a row (null: none) and brings it into view.
    void SetCurSel(CPropertyGridProperty* property);
    /// Lets Shift and Ctrl with clicks and arrows select several rows.
    void EnableMultiSelect();
    /// The top-level rows shown and selected, or with a sub-row selected, from the top, each
    /// once.
    std::vector<CPropertyGridProperty*> GetSelectedRows() const;
    /// Selects every row.
    void SelectAllRows();
    /// Shows only the top-level rows that hold `text` (see CPropertyGridModel::Holds), marking
    /// where, or every row again for an empty text; the current row stays where it is still
    /// shown. How many rows are shown.
    int Filter(const QString& text);
    /// Makes the next (or previous) shown row after the current one current, going round at
    /// the end; false when no row is shown.
    bool StepFilter(bool forward);
    /// Opens the editor of a value row, as a double click on it does.
    bool EditItem(CPropertyGridProperty* property);

Q_SIGNALS:
    /// The user closed the editor of a value, whether its value was taken or not.
    void EditClosed();

private:
    /// The current row, or the group of the current sub-row; null when none is current.
    const CPropertyGridProperty* CurrentTopLevelRow() const;
    void ShowDescription();
    void ExpandGroups(int first, int last);

    CPropertyGridModel* m_model;
    CPropertyGridView* m_view;
    QFrame* m_description;
    QLabel* m_descriptionName;
    QLabel* m_descriptionText;
};
