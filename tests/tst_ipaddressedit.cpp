// The IPv4 address field: what it shows of a stored text, what it gives back, typing, and
// the keyboard moving between its parts and past it.
#include "controls/CIpAddressEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <array>

namespace {

QLineEdit* Part(const CIpAddressEdit& field, int part)
{
    return field.findChild<QLineEdit*>(QStringLiteral("ipPart%1").arg(part));
}

QStringList PartTexts(const CIpAddressEdit& field)
{
    QStringList texts;
    for (int part = 0; part < 4; ++part)
        texts << Part(field, part)->text();
    return texts;
}

/// Types `keys` one by one into whatever has the focus at each key, as a user would.
void Type(const QString& keys)
{
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

/// A window with a line edit before the address field and one after it.
struct FieldWindow
{
    QWidget window;
    QLineEdit* before;
    CIpAddressEdit* field;
    QLineEdit* after;

    FieldWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        field = new CIpAddressEdit(&window);
        after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        QWidget::setTabOrder(before, field);
        QWidget::setTabOrder(field, after);
    }

    bool Show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

class TestIpAddressEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validAddressesComeBackExactly_data()
    {
        QTest::addColumn<QString>("address");
        for (const char* address : {"0.0.0.0", "255.255.255.255", "192.168.1.10", "10.0.0.1", "1.22.133.244"})
            QTest::newRow(address) << QString::fromLatin1(address);
    }

    void validAddressesComeBackExactly()
    {
        QFETCH(QString, address);
        CIpAddressEdit field;
        field.SetAddress(address);
        QCOMPARE(field.Address(), address);
        QCOMPARE(PartTexts(field).join(QLatin1Char('.')), address);
    }

    void spacesAndLeadingZerosAreDropped_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("address");
        QTest::newRow("spaces") << QStringLiteral("  10.0.0.1 ") << QStringLiteral("10.0.0.1");
        QTest::newRow("leading zeros") << QStringLiteral("010.001.000.009") << QStringLiteral("10.1.0.9");
    }

    void spacesAndLeadingZerosAreDropped()
    {
        QFETCH(QString, stored);
        QFETCH(QString, address);
        CIpAddressEdit field;
        field.SetAddress(stored);
        QCOMPARE(field.Address(), address);
    }

    void whatIsNoAddressIsKeptWithThePartsBlank_data()
    {
        QTest::addColumn<QString>("stored");
        for (const char* stored :
             {"abc", "pbx.example", "300.1.1.1", "1.2.3.256", "1.2.3", "1.2.3.4.5", "1..3.4", "-1.2.3.4",
              "1.2.3.4x", "1.2.3.0004", "1,2,3,4", "1. 2.3.4", " "})
            QTest::newRow(stored) << QString::fromLatin1(stored);
        QTest::newRow("other digits") << QStringLiteral("١.٢.٣.٤");
    }

    void whatIsNoAddressIsKeptWithThePartsBlank()
    {
        QFETCH(QString, stored);
        FieldWindow window;
        // Over an address shown before, as when a field is filled a second time.
        window.field->SetAddress(QStringLiteral("1.2.3.4"));
        window.field->SetAddress(stored);
        QVERIFY(window.Show());
        QCOMPARE(PartTexts(*window.field), QStringList(4, QString()));
        QCOMPARE(window.field->Address(), stored);
        QCOMPARE(window.field->KeptText(), stored);
        // Shown greyed over the blank parts while the field is not being typed into.
        auto* shown = window.field->findChild<QLabel*>(QStringLiteral("ipKeptText"));
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->text(), stored);
        window.field->setFocus();
        QVERIFY(!shown->isVisible());
        window.after->setFocus();
        QVERIFY(shown->isVisible());
        QCOMPARE(window.field->Address(), stored);
    }

    void typingReplacesAKeptText_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::newRow("an address") << QStringLiteral("10.9.8.7") << QStringLiteral("10.9.8.7");
        QTest::newRow("a first part") << QStringLiteral("10") << QStringLiteral("10.0.0.0");
    }

    void typingReplacesAKeptText()
    {
        QFETCH(QString, keys);
        QFETCH(QString, address);
        FieldWindow window;
        window.field->SetAddress(QStringLiteral("fax-server"));
        QVERIFY(window.Show());
        window.field->setFocus();
        Type(keys);
        QCOMPARE(window.field->Address(), address);
        QCOMPARE(window.field->KeptText(), QString());
        window.after->setFocus();
        QVERIFY(!window.field->findChild<QLabel*>(QStringLiteral("ipKeptText"))->isVisible());

        // Typed and rubbed out again: an edited field with every part blank is empty.
        window.field->SetAddress(QStringLiteral("fax-server"));
        window.field->setFocus();
        Type(QStringLiteral("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(window.field->Address(), QString());
        // Set anew, the field keeps the new text again.
        window.field->SetAddress(QStringLiteral("pbx"));
        QCOMPARE(window.field->Address(), QStringLiteral("pbx"));
        window.field->SetAddress(QStringLiteral("1.2.3.4"));
        QCOMPARE(window.field->KeptText(), QString());
        QCOMPARE(window.field->Address(), QStringLiteral("1.2.3.4"));
    }

    void nothingSetGivesNothing()
    {
        CIpAddressEdit field;
        QCOMPARE(field.Address(), QString());
        field.SetAddress(QString());
        QCOMPARE(field.Address(), QString());
        QCOMPARE(field.KeptText(), QString());
    }

    void blankPartsReadAsZero_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("address");
        QTest::newRow("all blank") << QStringList(4, QString()) << QString();
        QTest::newRow("first only") << QStringList{QStringLiteral("192"), {}, {}, {}}
                                    << QStringLiteral("192.0.0.0");
        QTest::newRow("last only") << QStringList{{}, {}, {}, QStringLiteral("7")}
                                   << QStringLiteral("0.0.0.7");
        QTest::newRow("middle blank")
            << QStringList{QStringLiteral("10"), {}, QStringLiteral("3"), QStringLiteral("4")}
            << QStringLiteral("10.0.3.4");
        QTest::newRow("zero typed") << QStringList{QStringLiteral("0"), {}, {}, {}}
                                    << QStringLiteral("0.0.0.0");
        QTest::newRow("above 255 not yet left") << QStringList{QStringLiteral("1"), QStringLiteral("2"),
                                                               QStringLiteral("3"), QStringLiteral("999")}
                                                << QStringLiteral("1.2.3.255");
    }

    void blankPartsReadAsZero()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, address);
        CIpAddressEdit field;
        for (int part = 0; part < 4; ++part)
            Part(field, part)->setText(parts[part]);
        QCOMPARE(field.Address(), address);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::newRow("dotted") << QStringLiteral("192.168.1.10") << QStringLiteral("192.168.1.10");
        QTest::newRow("three digits move on")
            << QStringLiteral("255255255255") << QStringLiteral("255.255.255.255");
        QTest::newRow("dot after three digits") << QStringLiteral("10.0.0.1") << QStringLiteral("10.0.0.1");
        QTest::newRow("dot in an empty part") << QStringLiteral("10..5") << QStringLiteral("10.5.0.0");
        QTest::newRow("above 255") << QStringLiteral("300.1") << QStringLiteral("255.1.0.0");
        QTest::newRow("no fifth part") << QStringLiteral("1.2.3.4.5") << QStringLiteral("1.2.3.45");
        QTest::newRow("letters") << QStringLiteral("1a.b2") << QStringLiteral("1.2.0.0");
        QTest::newRow("leading zeros") << QStringLiteral("010.7") << QStringLiteral("10.7.0.0");
    }

    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, address);
        FieldWindow window;
        QVERIFY(window.Show());
        window.field->setFocus();
        Type(keys);
        QCOMPARE(window.field->Address(), address);
    }

    void partsLeftAboveTheLimitShow255()
    {
        FieldWindow window;
        QVERIFY(window.Show());
        QTest::mouseClick(Part(*window.field, 3), Qt::LeftButton);
        QTest::keyClicks(Part(*window.field, 3), QStringLiteral("700"));
        window.after->setFocus();
        QCOMPARE(Part(*window.field, 3)->text(), QStringLiteral("255"));
    }

    void backspaceAndArrowsMoveBetweenParts()
    {
        FieldWindow window;
        QVERIFY(window.Show());
        window.field->setFocus();
        Type(QStringLiteral("1.23"));
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 1));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 1));
        // At the start of a part Backspace moves back without deleting; the next one deletes there.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 0));
        QCOMPARE(window.field->Address(), QStringLiteral("1.0.0.0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(window.field->Address(), QString());

        window.field->SetAddress(QStringLiteral("11.22.33.44"));
        QTest::mouseClick(Part(*window.field, 2), Qt::LeftButton);
        Part(*window.field, 2)->setCursorPosition(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 3));
        QCOMPARE(Part(*window.field, 3)->cursorPosition(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 2));
        QCOMPARE(Part(*window.field, 2)->cursorPosition(), 2);
        // Inside a part the arrows move the cursor as usual.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 2));
        QCOMPARE(Part(*window.field, 2)->cursorPosition(), 1);
        QCOMPARE(window.field->Address(), QStringLiteral("11.22.33.44"));
    }

    void theFieldIsOneTabStop()
    {
        FieldWindow window;
        QVERIFY(window.Show());
        window.before->setFocus();
        QTest::keyClick(window.before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.after);
        QTest::keyClick(window.after, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Part(*window.field, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), window.before);

        // From a later part, clicked into, Tab and Shift+Tab leave the field too.
        for (const auto& [key, expected] :
             {std::pair{Qt::Key_Tab, window.after}, {Qt::Key_Backtab, window.before}}) {
            QTest::mouseClick(Part(*window.field, 2), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), Part(*window.field, 2));
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    }
};

QTEST_MAIN(TestIpAddressEdit)
#include "tst_ipaddressedit.moc"
