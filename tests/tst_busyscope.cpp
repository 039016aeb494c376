// Busy feedback during long database work: the cursor, the window that takes no input, the
// busy window, and an interface kept alive meanwhile.
#include "controls/CBusyScope.h"
#include "db/IOtlConnection.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

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
    seen.busyCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    seen.busyWindow = BusyWindow() != nullptr;
}

/// Stands for a connection whose round trips take `ms` each.
class SlowRoundTrips final : public IOtlConnection
{
public:
    explicit SlowRoundTrips(int ms) : m_ms(ms) {}
    void Trip()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_ms));
        RoundTripDone();
    }
    bool Reconnect() override { return true; }
    bool Connect(const std::string&, std::string&) override { return true; }
    bool Disconnect() override { return true; }
    int GetDbType() override { return DbTypeMySql; }
    bool ExecuteSql(const std::string&) override { return true; }
    bool ExecuteSqlNoCheck(const std::string&) override { return true; }
    bool ExecuteInsert(const std::string&) override { return true; }
    std::string QueryValue(const std::string&) override { return {}; }
    IOtlRecordset* OpenRecordset(const std::string&) override { return nullptr; }
    std::string GetLastErrorText() override { return {}; }

private:
    int m_ms;
};

} // namespace

class TestBusyScope : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripsKeepTheInterfaceAliveAndTakeNoInput()
    {
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
        SlowRoundTrips connection(50);
        {
            CBusyScope busy(&window, QStringLiteral("正在保存配置..."));
            for (int trip = 0; trip < 20; ++trip) {
                connection.Trip();
                if (trip == 15) {
                    Look(window, seen);
                    QTest::keyClicks(edit, QStringLiteral("typed"));
                }
            }
        }
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
        SlowRoundTrips connection(1);
        bool shown = false;
        {
            CBusyScope busy(&window, QStringLiteral("x"));
            for (int trip = 0; trip < 5; ++trip)
                connection.Trip();
            shown = BusyWindow() != nullptr;
        }
        QVERIFY(!shown);
        QVERIFY(window.isEnabled());
    }

    void oneLongCallRunsInTheBackground()
    {
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
        bool done = false;
        {
            CBusyScope busy(&window, QStringLiteral("正在连接数据库..."));
            busy.RunInBackground([&done] {
                std::this_thread::sleep_for(std::chrono::milliseconds(700));
                done = true;
            });
        }
        QVERIFY(done);
        QVERIFY2(seen.timerTicks > 10, qPrintable(QString::number(seen.timerTicks)));
        QVERIFY(!seen.windowEnabled);
        QVERIFY(seen.busyCursor);
        QVERIFY(seen.busyWindow);
        QVERIFY(window.isEnabled());
        QVERIFY(BusyWindow() == nullptr);
    }
};

QTEST_MAIN(TestBusyScope)
#include "tst_busyscope.moc"
