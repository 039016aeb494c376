#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CPropertyGridModel;

/// One row of a property grid: either a group, with a caption and sub-rows under it, or a
/// value row, with a name, a value as text and a description. Every row carries item data
/// by which the grid finds it. A value row with options is edited only by choosing one of
/// them; one without options is edited by typing, within the room it allows.
class CPropertyGridProperty
{
public:
    static constexpr int kNoLimit = -1;

    /// A group with its caption; it is added to a grid with all its sub-rows.
    static std::unique_ptr<CPropertyGridProperty> NewGroup(const QString& caption, qint64 data);
    /// A value row; `description` may be empty.
    static std::unique_ptr<CPropertyGridProperty> NewValue(const QString& name, const QString& value,
                                                           const QString& description, qint64 data);

    CPropertyGridProperty(const CPropertyGridProperty&) = delete;
    CPropertyGridProperty& operator=(const CPropertyGridProperty&) = delete;
    ~CPropertyGridProperty();

    bool IsGroup() const { return m_group; }
    /// The name of a value row, the caption of a group.
    const QString& GetName() const { return m_name; }
    const QString& GetValue() const { return m_value; }
    /// Changes the value; a grid that shows the row shows the new value.
    void SetValue(const QString& value);
    const QString& GetDescription() const { return m_description; }
    qint64 GetData() const { return m_data; }

    /// Appends a sub-row to a group. Only while the group is not yet in a grid.
    void AddSubItem(std::unique_ptr<CPropertyGridProperty> item);
    int GetSubItemsCount() const { return static_cast<int>(m_subItems.size()); }
    CPropertyGridProperty* GetSubItem(int index) const
    {
        return m_subItems[static_cast<std::size_t>(index)].get();
    }
    /// The group of a sub-row; null for a top-level row.
    CPropertyGridProperty* GetParent() const { return m_parent; }

    /// Offers `option` in the row's drop-down list, after those added before.
    void AddOption(const QString& option);
    const QStringList& GetOptions() const { return m_options; }

    /// Typing may not take the value beyond this many bytes of UTF-8.
    void SetMaxUtf8Bytes(int bytes) { m_maxUtf8Bytes = bytes; }
    int GetMaxUtf8Bytes() const { return m_maxUtf8Bytes; }
    /// Typing may not take the value beyond this many characters.
    void SetMaxCharacters(int characters) { m_maxCharacters = characters; }
    int GetMaxCharacters() const { return m_maxCharacters; }
    /// Only a whole number from `minimum` to `maximum` can be typed.
    void SetIntegerRange(qint64 minimum, qint64 maximum)
    {
        m_integer = true;
        m_minimum = minimum;
        m_maximum = maximum;
    }
    bool IsInteger() const { return m_integer; }
    qint64 GetMinimum() const { return m_minimum; }
    qint64 GetMaximum() const { return m_maximum; }

private:
    friend class CPropertyGridModel;

    CPropertyGridProperty(bool group, const QString& name, const QString& value, const QString& description,
                          qint64 data);

    bool m_group;
    QString m_name;
    QString m_value;
    QString m_description;
    qint64 m_data;
    QStringList m_options;
    int m_maxUtf8Bytes = kNoLimit;
    int m_maxCharacters = kNoLimit;
    bool m_integer = false;
    qint64 m_minimum = 0;
    qint64 m_maximum = 0;

    CPropertyGridProperty* m_parent = nullptr;
    std::vector<std::unique_ptr<CPropertyGridProperty>> m_subItems;
    // Kept by the model that shows the row: its row number among its siblings.
    int m_row = 0;
    CPropertyGridModel* m_model = nullptr;
};
