#pragma once

#include "config/catalogue/CfgRecordTable.h"
#include "config/data/CCfgData.h"
#include "controls/CPropertyGridProperty.h"
#include "pages/CRecordGrid.h"

#include <QStringList>
#include <string>
#include <vector>

/// What a grid explains of one field in its description area.
struct GridFieldLook
{
    const char* column;
    QString description;
};

/// A record grid read from the description of its record kind: one value row per field but
/// the ID, in the description's order, labelled as the description labels them; texts
/// stop at the room of their field, flags are chosen from true and false, numbers with
/// options from those.
template <class Record> class CRecordGridOf : public CRecordGrid
{
public:
    /// Shows the list of `cfg`, in list order, in place of what the grid showed.
    void InitGrid(const CCfgData& cfg)
    {
        PrepareGrid(m_look.nameShare, m_look.descriptionArea);
        RemoveAll();
        std::vector<std::unique_ptr<CPropertyGridProperty>> groups;
        m_table.records.forEach(
            cfg, [this, &groups](const Record& record) { groups.push_back(NewRecordGroup(record)); });
        AddProperties(std::move(groups));
    }

    /// Appends a group for `rec` at the bottom.
    void AddRecord(const Record& rec) { AddProperty(NewRecordGroup(rec)); }

    /// Appends a new record with ID `nId` and the record kind's default values; false, and nothing
    /// changes, when there is one with that ID already.
    bool AddNew(int nId)
    {
        if (FindById(nId))
            return false;
        Record rec = m_table.newRecord();
        rec.*(m_id->number) = nId;
        AddRecord(rec);
        return true;
    }

    /// Replaces the list of `cfg` with one record per group, in the grid's order.
    void SaveToCfg(CCfgData& cfg)
    {
        std::vector<Record> records;
        records.reserve(static_cast<std::size_t>(GetPropertyCount()));
        for (int index = 0; index < GetPropertyCount(); ++index) {
            const CPropertyGridProperty& group = *GetProperty(index);
            Record rec{};
            rec.*(m_id->number) = IdOf(group);
            int position = 0;
            for (const RecordField<Record>* field : m_shown)
                field->SetSpelled(rec, TextAt(group, position++));
            records.push_back(std::move(rec));
        }
        m_table.records.assign(cfg, std::move(records));
    }

    std::vector<CsvRow> Rows() override
    {
        CCfgData copy;
        SaveToCfg(copy);
        return Layout().rows(copy);
    }

    void PutRows(const std::vector<CsvRow>& rows) override
    {
        const std::size_t idColumn = Layout().idColumn;
        std::vector<std::unique_ptr<CPropertyGridProperty>> added;
        for (const CsvRow& row : rows) {
            // The layout spells the ID as the number it is.
            CPropertyGridProperty* group = FindById(std::stoi(row[idColumn]));
            if (!group) {
                Record rec{};
                for (std::size_t index = 0; index < m_table.fields.size(); ++index)
                    m_table.fields[index].SetSpelled(rec, row[index]);
                added.push_back(NewRecordGroup(rec));
                continue;
            }
            int position = 0;
            for (const RecordField<Record>* field : m_shown) {
                const auto index = static_cast<std::size_t>(field - m_table.fields.data());
                const QString value = QString::fromStdString(row[index]);
                CPropertyGridProperty* item = group->GetSubItem(position++);
                if (item->GetValue() != value)
                    item->SetValue(value);
            }
        }
        AddProperties(std::move(added));
    }

protected:
    struct Look
    {
        QString caption; // %1 stands for the ID
        int nameShare;
        bool descriptionArea;
        std::vector<GridFieldLook> fields;
    };

    CRecordGridOf(QWidget* parent, CsvList list, const RecordTable<Record>& table, Look look)
        : CRecordGrid(list, parent), m_table(table), m_look(std::move(look)), m_id(IdField(table))
    {
        for (const RecordField<Record>& field : m_table.fields) {
            if (&field != m_id)
                m_shown.push_back(&field);
        }
    }

private:
    const GridFieldLook* LookOf(const RecordField<Record>& field) const
    {
        for (const GridFieldLook& look : m_look.fields) {
            if (std::string(look.column) == field.column)
                return &look;
        }
        return nullptr;
    }

    std::unique_ptr<CPropertyGridProperty> NewRecordGroup(const Record& rec) const
    {
        auto group = NewGroup(m_look.caption, rec.*(m_id->number));
        for (const RecordField<Record>* field : m_shown) {
            const QString label = QString::fromUtf8(field->label);
            const GridFieldLook* look = LookOf(*field);
            const QString description = look ? look->description : QString();
            QStringList options;
            for (const std::string& option : field->options)
                options.push_back(QString::fromStdString(option));
            if (field->kind == FieldKind::Text)
                AddText(*group, label, field->text(rec), static_cast<int>(field->room));
            else if (field->kind == FieldKind::Flag)
                AddChoice(*group, label, QString::fromStdString(field->Spelled(rec)),
                          {QStringLiteral("true"), QStringLiteral("false")}, description);
            // A number the database holds outside the options is shown, and kept, as it is.
            else if (!options.isEmpty())
                AddChoice(*group, label, QString::number(rec.*field->number), options, description);
            else
                AddNumber(*group, label, rec.*field->number, field->minimum, field->maximum, description);
        }
        return group;
    }

    const RecordTable<Record>& m_table;
    Look m_look;
    const RecordField<Record>* m_id;
    std::vector<const RecordField<Record>*> m_shown;
};
