// The configuration store: defaults, the extension map's order, record ownership and
// fixed-field copies.
#include "config/catalogue/CfgRecordTable.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"

#include <QTest>

namespace {

int g_alive = 0;

struct Counted
{
    Counted() { ++g_alive; }
    ~Counted() { --g_alive; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
};

std::vector<unsigned> Order(const CExtenMap& map)
{
    std::vector<unsigned> keys;
    map.ForEach([&keys](unsigned key, const std::string&) { keys.push_back(key); });
    return keys;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults()
    {
        const CCfgData cfg;
        QCOMPARE(cfg.CtiPort, std::string("8811"));
        QCOMPARE(cfg.AcdPort, std::string("8821"));
        QCOMPARE(cfg.ScPort, std::string("8801"));
        QCOMPARE(cfg.DevType, 1);
        for (int value : {cfg.RecType, cfg.PPType, cfg.QueueType, cfg.TtsType})
            QCOMPARE(value, 0);
        for (const std::string* text : {&cfg.CtiAddr,          &cfg.RecPath,         &cfg.AgentLockedPeriod,
                                        &cfg.PPTime,           &cfg.LeaveWordPath,   &cfg.IvrFlowCount,
                                        &cfg.LogPath,          &cfg.CallConcurrency, &cfg.TtsBufferPath,
                                        &cfg.ScAddr,           &cfg.McAddr,          &cfg.McPort,
                                        &cfg.DigTrunkCount,    &cfg.VoipTrunkCount,  &cfg.VoipSignallingAddr,
                                        &cfg.VoipMediaAddr,    &cfg.FaxServerAddr,   &cfg.FaxServerPort,
                                        &cfg.DevLinkIp,        &cfg.DevLinkPwd,      &cfg.IpoLinkPort,
                                        &cfg.FsEslAddr,        &cfg.FsEslPort,       &cfg.FsEslPwd,
                                        &cfg.FsIvrPort,        &cfg.FsTrunkCount,    &cfg.FsExtContext,
                                        &cfg.FsMeetingContext, &cfg.FsPCallContext})
            QVERIFY(text->empty());
        QVERIFY(cfg.IvrFlows.empty() && cfg.IpoLines.IsEmpty() && cfg.Extens.IsEmpty() &&
                cfg.SipAccounts.IsEmpty() && cfg.TrunkItems.IsEmpty() && cfg.TrunkMatches.IsEmpty());
        // The process's store is one object: what one caller puts in, the next one finds.
        CCfgData* store = GetCfgData();
        store->CtiAddr = "10.9.9.9";
        QCOMPARE(GetCfgData()->CtiAddr, std::string("10.9.9.9"));
        *store = CCfgData();
    }

    void extensionOrder_data()
    {
        QTest::addColumn<std::vector<unsigned>>("inserted");
        QTest::addColumn<std::vector<unsigned>>("enumerated");
        QTest::newRow("8001 to 8005") << std::vector<unsigned>{8001, 8002, 8003, 8004, 8005}
                                      << std::vector<unsigned>{8004, 8001, 8003, 8005, 8002};
        // 8001 and 8018 share a bucket: the newer comes first, whatever the number.
        QTest::newRow("newest of a bucket first")
            << std::vector<unsigned>{8018, 8001} << std::vector<unsigned>{8001, 8018};
        QTest::newRow("same bucket, other order")
            << std::vector<unsigned>{8001, 8018} << std::vector<unsigned>{8018, 8001};
        QTest::newRow("zero and the largest numbers")
            << std::vector<unsigned>{0, 4294967295u, 2147483647u, 2147483648u}
            << std::vector<unsigned>{2147483647u, 0, 2147483648u, 4294967295u};
    }

    void extensionOrder()
    {
        QFETCH(std::vector<unsigned>, inserted);
        QFETCH(std::vector<unsigned>, enumerated);
        CExtenMap map;
        for (unsigned key : inserted)
            map.SetAt(key, std::to_string(key));
        QCOMPARE(Order(map), enumerated);
    }

    void settingAKeyAgainReplacesItsTextInPlace()
    {
        CExtenMap map;
        for (unsigned key : {8001u, 8002u, 8003u, 8004u, 8005u})
            map.SetAt(key, "old");
        map.SetAt(8003, "new");
        QCOMPARE(map.GetCount(), std::size_t(5));
        QCOMPARE(Order(map), (std::vector<unsigned>{8004, 8001, 8003, 8005, 8002}));
        std::string text;
        QVERIFY(map.Lookup(8003, text));
        QCOMPARE(text, std::string("new"));
        QVERIFY(!map.Lookup(8006, text));
        map.RemoveAll();
        QVERIFY(map.IsEmpty());
        QVERIFY(Order(map).empty());
        map.SetAt(8002, "again");
        QCOMPARE(Order(map), std::vector<unsigned>{8002});
    }

    void recordsAreFreedExactlyOnce()
    {
        {
            CRecordList<Counted> list;
            for (int i = 0; i < 25; ++i)
                list.AddTail(std::make_unique<Counted>());
            QCOMPARE(g_alive, 25);
            list.DeleteAll();
            QCOMPARE(g_alive, 0);
            QVERIFY(list.IsEmpty());
            list.AddTail(std::make_unique<Counted>());
            list.AddTail(std::make_unique<Counted>());
        }
        QCOMPARE(g_alive, 0);
    }

    // A field is described once, in its kind's list of fields; loading's query and the save's
    // INSERT follow from that list. Here a field only this test knows is added to a copy.
    void aFieldAddedToAKindReachesItsStatements()
    {
        RecordTable<tagTRUNK_ITEM> table = TrunkItemTable();
        table.fields.push_back(NumberField<&tagTRUNK_ITEM::span>("spare_span", "备用中继口"));
        QCOMPARE(
            SelectText(table),
            std::string(
                "SELECT id, node, board, span, sip_user, spare_span FROM conf_trunk_item ORDER BY id ASC"));
        QCOMPARE(InsertFormat(table),
                 std::string("INSERT INTO conf_trunk_item (id, node, board, span, sip_user, "
                             "spare_span) VALUES (%d, %d, %d, %d, %d, %d)"));

        // The database numbers the rules: their id is read, not written. A text is quoted.
        RecordTable<tagTRUNK_MATCH> rules = TrunkMatchTable();
        rules.fields.push_back(TextField<&tagTRUNK_MATCH::caller>("note", "备注"));
        QCOMPARE(
            SelectText(rules),
            std::string(
                "SELECT id, prefix, caller, trunk_id, priority, note FROM conf_trunk_match ORDER BY id ASC"));
        QCOMPARE(InsertFormat(rules),
                 std::string("INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority, "
                             "note) VALUES ('%s', '%s', %d, %d, '%s')"));
    }

    void copyToField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("fits") << QByteArray("1234567") << QByteArray("1234567");
        QTest::newRow("cut to the room") << QByteArray("123456789") << QByteArray("1234567");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        // "中" is three bytes: two of them fit in 7 bytes, the third character would be split.
        QTest::newRow("never half a character") << QByteArray("中文字") << QByteArray("中文");
        QTest::newRow("two-byte character at the edge") << QByteArray("123456é") << QByteArray("123456");
        QTest::newRow("character ending at the edge") << QByteArray("a中文") << QByteArray("a中文");
    }

    void copyToField()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, stored);
        char field[8];
        std::memset(field, 'x', sizeof field);
        CopyToField(field, text.toStdString());
        QCOMPARE(QByteArray(field), stored);
        QCOMPARE(field[7], '\0');
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
