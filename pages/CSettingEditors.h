#pragma once

#include <QList>
#include <initializer_list>
#include <vector>

class QString;
class QWidget;
struct CCfgData;
struct CfgSetting;

/// The editors of a page's settings, each made as the catalogue describes its setting (an
/// address, digits, a port, any text, a folder or a choice) and named by its kind and key
/// ("ipCtiAddr", "editCtiPort", "comboRecType"). The page lays them out; showing the store
/// and copying back into it are the same for all of them.
class CSettingEditors
{
public:
    /// Makes the editor of setting `key`.
    QWidget* Add(const char* key);
    /// The editor of setting `key`, made before.
    QWidget* Editor(const char* key) const;
    /// The editors of `keys` in that order, each followed by its browse button if it has one.
    QList<QWidget*> TabStops(std::initializer_list<const char*> keys) const;

    /// Shows each setting's value in `cfg`.
    void Show(const CCfgData& cfg) const;
    /// Copies each editor's value into `cfg`; the rest of `cfg` stays.
    void CopyTo(CCfgData& cfg) const;

    /// The editors whose setting's label, key or shown value holds `text`, letter case aside,
    /// in the order they were made, each marked by its ground; the marks of the others go.
    /// A password's value is not looked at. None for an empty text.
    std::vector<QWidget*> Mark(const QString& text) const;
    std::size_t Count() const { return m_entries.size(); }

private:
    struct Entry
    {
        const CfgSetting* setting;
        QWidget* editor;
    };
    std::vector<Entry> m_entries;
};
