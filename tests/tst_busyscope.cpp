// Busy feedback during long database work, on the real connection over a slow link: the
// cursor, the window that takes no input, the busy window, and an interface kept alive.
#include "controls/CBusyScope.h"
#include "db/COdbcConnection.h"
#include "db/IOtlConnection.h"
#include "support/CDelayProxy.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

/// What the interface looked like while work ran.
struct Seen
{
    bool windowEnabled = true;
    bool busyCursor = false;
    bool busyWindow = false;
    int timerTicks = 0;
};

QWidget* BusyWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("busyWindow") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void Look(QWidget& window, Seen& seen)
{
    seen.windowEnabled = window.isEnabled();
    seen.busyCursor =
        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    seen.busyWindow = BusyWindow() != nullptr;
}

std::uint16_t ServerPort()
{
    return static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT"));
}

std::string Through(const CDelayProxy& proxy)
{
    return TestDatabase::ConnectString() + ";PORT=" + std::to_string(proxy.Port());
}

} // namespace

class TestBusyScope : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QVERIFY(TestDatabase::Connect()); }

    void slowRoundTripsKeepTheInterfaceAliveAndTakeNoInput()
    {
        CDelayProxy proxy(ServerPort(), 60);
        std::string error;
        QVERIFY2(IOtlConnection::getInstance()->Connect(Through(proxy), error), error.c_str());

        QWidget window;
        auto* edit = new QLineEdit(&window);
        new QVBoxLayout(&window);
        window.layout()->addWidget(edit);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();

        Seen seen;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++seen.timerTicks; });
        ticker.start(20);
        bool answered = true;
        {
            CBusyScope busy(&window, QStringLiteral("正在保存配置..."));
            for (int trip = 0; trip < 15; ++trip) {
                answered = answered && IOtlConnection::getInstance()->QueryValue("SELECT 1") == "1";
                if (trip == 10) {
                    Look(window, seen);
                    QTest::keyClicks(edit, QStringLiteral("typed"));
                }
            }
        }
        QVERIFY(answered);
        QVERIFY(!seen.windowEnabled);
        QVERIFY(seen.busyCursor);
        QVERIFY(seen.busyWindow);
        QVERIFY2(seen.timerTicks > 5, qPrintable(QString::number(seen.timerTicks)));
        // Nothing typed meanwhile arrived, nor arrives later.
        QCoreApplication::processEvents();
        QCOMPARE(edit->text(), QString());
        QVERIFY(window.isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(BusyWindow() == nullptr);
    }

    void quickWorkShowsNoBusyWindow()
    {
        QWidget window;
        window.show();
        bool shown = false;
        {
            CBusyScope busy(&window, QStringLiteral("x"));
            for (int trip = 0; trip < 5; ++trip)
                IOtlConnection::getInstance()->QueryValue("SELECT 1");
            shown = BusyWindow() != nullptr;
        }
        QVERIFY(!shown);
        QVERIFY(window.isEnabled());
    }

    void aSlowLoginRunsInTheBackground()
    {
        // A login over a slow link: a handful of round trips of 150 ms each.
        CDelayProxy proxy(ServerPort(), 150);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Seen seen;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++seen.timerTicks;
            Look(window, seen);
        });
        ticker.start(20);
        COdbcConnection connection;
        bool connected = false;
        std::string error;
        {
            CBusyScope busy(&window, QStringLiteral("正在连接数据库..."));
            busy.RunInBackground([&] { connected = connection.Connect(Through(proxy), error); });
        }
        QVERIFY2(connected, error.c_str());
        QVERIFY2(seen.timerTicks > 10, qPrintable(QString::number(seen.timerTicks)));
        QVERIFY(!seen.windowEnabled);
        QVERIFY(seen.busyCursor);
        QVERIFY(seen.busyWindow);
        QVERIFY(window.isEnabled());
        QVERIFY(BusyWindow() == nullptr);
        QCOMPARE(connection.QueryValue("SELECT 5"), std::string("5"));
    }
};

QTEST_MAIN(TestBusyScope)
#include "tst_busyscope.moc"
