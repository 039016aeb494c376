#include "support/SampleLines.h"

#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "controls/CPropertyGridCtrl.h"
#include "controls/CPropertyGridProperty.h"
#include "support/ConfigTables.h"
#include "support/RecordingProgress.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace SampleLines {

bool FillTables()
{
    return ConfigTables::CreateEmpty() &&
           TestDatabase::Run(
               {"INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'p8001'), (8002, 0, 'p8002'), "
                "(8003, 0, 'p8003'), (8004, 0, 'p8004'), (8005, 0, 'p8005'), (700, 1, 'other')",
                "INSERT INTO conf_sip_account VALUES (1, 'acc1', 'auth1', 'pw1', '10.0.0.1', 5060, 'true', "
                "3600), "
                "(5, 'acc5', 'auth5', 'pw5', '10.0.0.5', 5070, 'false', 600)",
                "INSERT INTO conf_trunk_item VALUES (1, 0, 0, 1, -1), (3, -1, -1, -1, 5)",
                "INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES ('0', '', 1, 1), "
                "('9', '021', 3, 2), ('1', '', 3, 7)"});
}

bool Load()
{
    *GetCfgData() = CCfgData();
    RecordingProgress progress;
    return GetCfgDb()->LoadCfg(progress);
}

bool EditValue(CPropertyGridCtrl& grid, CPropertyGridProperty* row, const QString& text)
{
    if (!grid.EditItem(row))
        return false;
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!edit)
        return false;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Return);
    return row->GetValue() == text;
}

} // namespace SampleLines
