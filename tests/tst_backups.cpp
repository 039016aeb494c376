// Every write of a group is backed up first: what the backup holds, how many are kept, and a
// backup that cannot be written stopping the save before anything is written.
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgBackups.h"
#include "config/formats/CCfgFile.h"
#include "support/ConfigTables.h"
#include "support/SampleConfig.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

using Texts = std::vector<std::string>;

/// A copy of the process store.
CCfgData StoreCopy()
{
    CCfgData copy;
    for (CfgGroup group : kCfgGroups)
        CopyCfgGroup(*GetCfgData(), copy, group);
    return copy;
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

    TestSettings m_userData;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    // The backup of each group's save holds that group exactly as the database had it, hard
    // texts and all, in the bytes the configuration file would give it; reading it back
    // gives that group and says where and when it was taken.
    void eachSaveBacksUpWhatTheTablesHeld_data()
    {
        QTest::addColumn<int>("group");
        QTest::newRow("middleware") << int(CfgGroup::System);
        QTest::newRow("device") << int(CfgGroup::Device);
        QTest::newRow("lines") << int(CfgGroup::Lines);
    }
    void eachSaveBacksUpWhatTheTablesHeld()
    {
        QFETCH(int, group);
        CCfgData sample;
        SampleConfig::Fill(sample, "引号'\"\\ back\\slash, 中文\r\n");
        // NULs another tool stored, in each group.
        const std::string nul("a\0b", 3);
        sample.IvrFlows.push_back(nul);
        sample.McAddr = nul;
        sample.Extens.SetAt(8003, nul);
        QVERIFY(SampleConfig::PutOnServer(sample));
        const CCfgData held = StoreCopy();
        CCfgData changed;
        SampleConfig::Fill(changed, "changed");
        CopyCfgGroup(changed, *GetCfgData(), CfgGroup(group));

        const std::string before = CCfgBackups::Now();
        const CfgWriteOutcome saved = GetCfgDb()->Save(CfgGroup(group), nullptr);
        QVERIFY2(saved.IsWritten(), saved.error.c_str());
        const QString path = QString::fromStdString(saved.backup);
        QVERIFY(path.startsWith(CCfgBackups::Folder() + QLatin1Char('/')));

        CCfgData read;
        CfgFileContents contents;
        std::string error;
        QVERIFY2(CCfgFile::Read(path, read, error, &contents), error.c_str());
        QVERIFY(contents.groups == std::vector<CfgGroup>{CfgGroup(group)});
        QVERIFY(contents.backup.has_value());
        QCOMPARE(contents.backup->dataSource, TestDatabase::Dsn());
        QVERIFY(contents.backup->group == CfgGroup(group));
        QVERIFY(contents.backup->time >= before);
        QVERIFY2(!CCfgChanges::Compare(held, read).Differs(CfgGroup(group)),
                 CCfgChanges::Compare(held, read).ToText().c_str());
        QByteArray expected;
        QVERIFY(CCfgFile::BackupToJson(held, *contents.backup, expected, error));
        QCOMPARE(FileBytes(path), expected);
        // It holds passwords, as an exported file does: its owner's only.
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

        // Listed newest first, with what its name tells.
        const std::vector<CCfgBackups::Entry> listed = CCfgBackups::List();
        QVERIFY(!listed.empty());
        QCOMPARE(listed.front().path, path);
        QCOMPARE(listed.front().header.dataSource, TestDatabase::Dsn());
        QCOMPARE(listed.front().header.time, contents.backup->time);

        // Written back, it gives the tables as they were, NULs and all.
        CopyCfgGroup(read, *GetCfgData(), CfgGroup(group));
        const CfgWriteOutcome restored = GetCfgDb()->Save(CfgGroup(group), nullptr);
        QVERIFY2(restored.IsWritten(), restored.error.c_str());
        SampleConfig::LoadStore();
        QVERIFY2(!CCfgChanges::Compare(held, *GetCfgData()).Differs(CfgGroup(group)),
                 CCfgChanges::Compare(held, *GetCfgData()).ToText().c_str());
        QCOMPARE(GetCfgData()->McAddr, nul);
    }

    // The newest are kept; a data source whose name holds what a file name cannot comes back
    // from the name as it was.
    void theNewestAreKept()
    {
        TestSettings own;
        CCfgData cfg;
        const int written = CCfgBackups::kKept + 3;
        for (int i = 0; i < written; ++i) {
            const CfgBackupHeader header{
                "site/A_b %",
                "2026-01-01T00:" + QString::asprintf("%02d:%02d", i / 60, i % 60).toStdString() + ".000",
                CfgGroup(i % 3)};
            QString path;
            std::string error;
            QVERIFY2(CCfgBackups::Write(cfg, header, path, error), error.c_str());
        }
        const std::vector<CCfgBackups::Entry> listed = CCfgBackups::List();
        QCOMPARE(int(listed.size()), CCfgBackups::kKept);
        QCOMPARE(listed.front().header.time, std::string("2026-01-01T00:03:22.000"));
        QCOMPARE(listed.back().header.time, std::string("2026-01-01T00:00:03.000"));
        QCOMPARE(listed.front().header.dataSource, std::string("site/A_b %"));
        QVERIFY(listed.front().header.group == CfgGroup((written - 1) % 3));
        QCOMPARE(QDir(CCfgBackups::Folder()).entryList(QDir::Files).size(), CCfgBackups::kKept);
    }

    // Without a backup nothing is written: the save is refused, saying why, the tables as they were.
    void aBackupThatCannotBeWrittenStopsTheSave()
    {
        TestSettings own;
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', 'as it was')"}));
        // A file where the folder should be.
        QVERIFY(QDir().mkpath(QFileInfo(CCfgBackups::Folder()).path()));
        QFile blocker(CCfgBackups::Folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        *GetCfgData() = CCfgData();
        GetCfgData()->CtiAddr = "new";
        QVERIFY(!GetCfgDb()->SaveSysCfg());
        const std::string error = GetCfgDb()->GetDbError();
        QVERIFY2(error.find(CCfgBackups::Folder().toStdString()) != std::string::npos &&
                     error.find("未写入任何内容") != std::string::npos,
                 error.c_str());
        QCOMPARE(TestDatabase::Rows("SELECT name, value FROM conf_system", 2), Texts{"CtiAddr|as it was"});
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
