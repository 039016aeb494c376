// The scrolling page base, on the middleware page placed in a main window's frame as the
// program does: the scroll arithmetic by the bar and the wheel, at its bounds, and Enter and
// Escape inside the page.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CBrowseEdit.h"
#include "controls/CDialogUnits.h"
#include "controls/CFileChooser.h"
#include "pages/CDialogCfgSys.h"
#include "support/TestSettings.h"
#include "support/WheelInput.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <memory>

namespace {

constexpr int kFrameHeight = 400;

/// A main window with a default button, its page in a frame lower than the page's form.
struct MainWindow
{
    QDialog dialog;
    QPushButton* okButton;
    QLineEdit* outsideField;
    CDialogCfgSys* page;

    MainWindow()
    {
        dialog.resize(720, kFrameHeight + 80);
        okButton = new QPushButton(QStringLiteral("OK"), &dialog);
        okButton->setObjectName(QStringLiteral("btnOk"));
        okButton->setDefault(true);
        okButton->setGeometry(10, kFrameHeight + 40, 80, 30);
        QObject::connect(okButton, &QPushButton::clicked, &dialog, &QDialog::accept);
        outsideField = new QLineEdit(&dialog);
        outsideField->setObjectName(QStringLiteral("editOutside"));
        outsideField->setGeometry(100, kFrameHeight + 40, 200, 30);
        page = new CDialogCfgSys(*GetCfgData(), &dialog);
        page->setGeometry(10, 10, 680, kFrameHeight);
        page->SetBackgroundColor(Qt::white);
        page->show();
    }

    bool Show()
    {
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }

    QScrollBar* Bar() const { return page->findChild<QScrollBar*>(QStringLiteral("pageScrollBar")); }
    QWidget* Form() const { return page->findChild<QWidget*>(QStringLiteral("pageForm")); }
    template <class T = QWidget> T* Control(const char* name) const
    {
        return page->findChild<T*>(QString::fromLatin1(name));
    }
    /// Where a control of the form is inside the page.
    int TopOf(const char* name) const { return Control(name)->mapTo(page, QPoint(0, 0)).y(); }
    int H() const { return page->PageHeight(); }

    /// Drags the thumb to `position`, as the bar does while the mouse moves it.
    void ScrollTo(int position) const
    {
        Bar()->setSliderDown(true);
        Bar()->setSliderPosition(position);
        Bar()->setSliderDown(false);
    }
};

QStyleOptionSlider BarOption(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return option;
}

QRect BarPart(const QScrollBar& bar, QStyle::SubControl part)
{
    const QStyleOptionSlider option = BarOption(bar);
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

/// A position given from the top (1) or from H.
struct Position
{
    bool fromH;
    int offset;
    int In(const MainWindow& window) const { return fromH ? window.H() + offset : offset; }
};

} // namespace

Q_DECLARE_METATYPE(Position)
Q_DECLARE_METATYPE(QAbstractSlider::SliderAction)

class TestPageBase : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;

    /// The position now, checked against the bar and the form, and how far the controls
    /// moved relative to `probeTop`.
    void CheckScrolledTo(int expected, int from, int probeTopBefore)
    {
        QCOMPARE(m_window->page->ScrollPos(), expected);
        QCOMPARE(m_window->Bar()->value(), expected);
        QCOMPARE(m_window->Form()->y(), 1 - expected);
        QCOMPARE(m_window->TopOf("editCtiPort") - probeTopBefore, from - expected);
    }

private:
    // Choosers remember their folder in the user's settings: a test's own, never the real ones.
    TestSettings m_settings;

private Q_SLOTS:
    void init()
    {
        *GetCfgData() = CCfgData();
        GetCfgData()->IvrFlows = {"/srv/ivr/main.flow"};
        m_window = std::make_unique<MainWindow>();
        QVERIFY(m_window->Show());
    }
    void cleanup()
    {
        m_window.reset();
        *GetCfgData() = CCfgData();
    }

    void afterCreationTheFormIsUnscrolledWithAHalfThumb()
    {
        const MainWindow& window = *m_window;
        const int H = window.H();
        // H brings the form's lowest control to the frame's bottom, and no further.
        int lowest = 0;
        for (const QWidget* control : window.Form()->findChildren<QWidget*>()) {
            if (control->isVisibleTo(window.Form()))
                lowest = std::max(lowest, control->mapTo(window.Form(), QPoint(0, control->height())).y());
        }
        QVERIFY(H > 0);
        QVERIFY2(H + window.page->height() >= lowest && H + window.page->height() <= lowest + 30,
                 qPrintable(QStringLiteral("H %1, frame %2, lowest control ends at %3")
                                .arg(H)
                                .arg(window.page->height())
                                .arg(lowest)));

        QCOMPARE(window.page->ScrollPos(), 1);
        QCOMPARE(window.Bar()->value(), 1);
        QCOMPARE(window.Bar()->minimum(), 1);
        QCOMPARE(window.Bar()->maximum(), H + 1);
        QCOMPARE(window.Bar()->pageStep(), H);
        QCOMPARE(window.Bar()->singleStep(), 1);
        QCOMPARE(window.Form()->y(), 0);
        QVERIFY(window.Bar()->isVisible());

        const QRect groove = BarPart(*window.Bar(), QStyle::SC_ScrollBarGroove);
        const QRect thumb = BarPart(*window.Bar(), QStyle::SC_ScrollBarSlider);
        QVERIFY2(
            std::abs(2 * thumb.height() - groove.height()) <= 2,
            qPrintable(QStringLiteral("thumb %1 of a track of %2").arg(thumb.height()).arg(groove.height())));
        QCOMPARE(thumb.top(), groove.top());
        // The bar runs down the right edge of the frame.
        QCOMPARE(window.Bar()->geometry().right(), window.page->width() - 1);
        QCOMPARE(window.Bar()->height(), window.page->height());
    }

    void draggingTheThumbScrollsContinuouslyAndReleasingChangesNothing()
    {
        MainWindow& window = *m_window;
        QScrollBar* bar = window.Bar();
        const QPoint grip = BarPart(*bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        int position = window.page->ScrollPos();
        for (int step = 1; step <= 4; ++step) {
            const int top = window.TopOf("editCtiPort");
            QTest::mouseMove(bar, grip + QPoint(0, 15 * step));
            QVERIFY2(window.page->ScrollPos() > position, "the form does not follow the thumb");
            CheckScrolledTo(bar->sliderPosition(), position, top);
            position = window.page->ScrollPos();
        }
        const int top = window.TopOf("editCtiPort");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 60));
        CheckScrolledTo(position, position, top);
    }

    void barRequests_data()
    {
        QTest::addColumn<Position>("start");
        QTest::addColumn<QAbstractSlider::SliderAction>("request");
        QTest::addColumn<Position>("expected");
        const auto top = [](int offset) { return Position{false, offset}; };
        const auto fromH = [](int offset) { return Position{true, offset}; };
        QTest::newRow("line down at 1") << top(1) << QAbstractSlider::SliderSingleStepAdd << top(2);
        QTest::newRow("line down at H") << fromH(0) << QAbstractSlider::SliderSingleStepAdd << fromH(1);
        QTest::newRow("line down at H+1") << fromH(1) << QAbstractSlider::SliderSingleStepAdd << fromH(1);
        QTest::newRow("line up at 1") << top(1) << QAbstractSlider::SliderSingleStepSub << top(1);
        QTest::newRow("line up at 2") << top(2) << QAbstractSlider::SliderSingleStepSub << top(1);
        QTest::newRow("line up at H+1") << fromH(1) << QAbstractSlider::SliderSingleStepSub << fromH(0);
        QTest::newRow("page down at 1") << top(1) << QAbstractSlider::SliderPageStepAdd << fromH(1);
        QTest::newRow("page down at 40") << top(40) << QAbstractSlider::SliderPageStepAdd << fromH(1);
        QTest::newRow("page up at H+1") << fromH(1) << QAbstractSlider::SliderPageStepSub << top(1);
        QTest::newRow("page up at H-10") << fromH(-10) << QAbstractSlider::SliderPageStepSub << top(1);
        QTest::newRow("top") << top(50) << QAbstractSlider::SliderToMinimum << top(1);
        QTest::newRow("bottom") << top(50) << QAbstractSlider::SliderToMaximum << fromH(1);
    }

    void barRequests()
    {
        QFETCH(Position, start);
        QFETCH(QAbstractSlider::SliderAction, request);
        QFETCH(Position, expected);
        const MainWindow& window = *m_window;
        window.ScrollTo(start.In(window));
        QCOMPARE(window.page->ScrollPos(), start.In(window));
        const int top = window.TopOf("editCtiPort");
        window.Bar()->triggerAction(request);
        CheckScrolledTo(expected.In(window), start.In(window), top);
    }

    void wheel_data()
    {
        QTest::addColumn<Position>("start");
        QTest::addColumn<int>("delta");
        QTest::addColumn<Position>("expected");
        const auto top = [](int offset) { return Position{false, offset}; };
        const auto fromH = [](int offset) { return Position{true, offset}; };
        QTest::newRow("down from 1") << top(1) << -120 << top(27);
        QTest::newRow("down, a small delta") << top(100) << -1 << top(126);
        QTest::newRow("down, a large delta") << top(100) << -960 << top(126);
        QTest::newRow("down from H-27") << fromH(-27) << -120 << fromH(-1);
        QTest::newRow("down from H-10") << fromH(-10) << -120 << fromH(0);
        QTest::newRow("down from H") << fromH(0) << -120 << fromH(0);
        QTest::newRow("down from H+1 moves back a pixel") << fromH(1) << -120 << fromH(0);
        QTest::newRow("up from 1") << top(1) << 120 << top(1);
        QTest::newRow("up from 2") << top(2) << 120 << top(1);
        QTest::newRow("up from 26") << top(26) << 120 << top(1);
        QTest::newRow("up from 27") << top(27) << 120 << top(1);
        QTest::newRow("up from 28") << top(28) << 120 << top(2);
        QTest::newRow("up, a large delta") << top(100) << 960 << top(74);
        QTest::newRow("up from H+1") << fromH(1) << 120 << fromH(-25);
        QTest::newRow("delta 0 scrolls up") << top(100) << 0 << top(74);
    }

    void wheel()
    {
        QFETCH(Position, start);
        QFETCH(int, delta);
        QFETCH(Position, expected);
        const MainWindow& window = *m_window;
        window.ScrollTo(start.In(window));
        QCOMPARE(window.page->ScrollPos(), start.In(window));
        const int top = window.TopOf("editCtiPort");
        // Over a field, which leaves the wheel to the page.
        Wheel(window.Control("editAcdPort"), QPoint(0, delta));
        CheckScrolledTo(expected.In(window), start.In(window), top);
    }

    void wheelOverTheScrollBarIsOneWheelStep()
    {
        const MainWindow& window = *m_window;
        const int top = window.TopOf("editCtiPort");
        Wheel(window.Bar(), QPoint(0, -120));
        CheckScrolledTo(27, 1, top);
    }

    void wheelOverAComboScrollsUnlessItHasTheFocus()
    {
        const MainWindow& window = *m_window;
        auto* combo = window.Control<QComboBox>("comboDevType");
        window.Control("editCtiPort")->setFocus();
        Wheel(combo, QPoint(0, -120));
        QCOMPARE(combo->currentIndex(), 1);
        QVERIFY(!combo->hasFocus());
        QCOMPARE(window.page->ScrollPos(), 27);

        combo->setFocus();
        const int top = window.TopOf("editCtiPort");
        Wheel(combo, QPoint(0, -120));
        QCOMPARE(combo->currentIndex(), 2);
        CheckScrolledTo(27, 27, top);
    }

    void whatIsNoWheelTurnDoesNotScroll_data()
    {
        QTest::addColumn<QPoint>("angleDelta");
        QTest::addColumn<Qt::ScrollPhase>("phase");
        QTest::newRow("tilted left") << QPoint(120, 0) << Qt::NoScrollPhase;
        QTest::newRow("tilted right") << QPoint(-120, 0) << Qt::NoScrollPhase;
        QTest::newRow("gesture begins") << QPoint(0, 0) << Qt::ScrollBegin;
        QTest::newRow("gesture ends") << QPoint(0, 0) << Qt::ScrollEnd;
    }

    void whatIsNoWheelTurnDoesNotScroll()
    {
        QFETCH(QPoint, angleDelta);
        QFETCH(Qt::ScrollPhase, phase);
        const MainWindow& window = *m_window;
        window.ScrollTo(100);
        const int top = window.TopOf("editCtiPort");
        QWheelEvent event(QPointF(20, 20), window.page->mapToGlobal(QPointF(20, 20)), QPoint(), angleDelta,
                          Qt::NoButton, Qt::NoModifier, phase, false);
        QApplication::sendEvent(window.page, &event);
        CheckScrolledTo(100, 100, top);
    }

    // A lower frame shows less of the form, so the form scrolls further by as much.
    void hidingResizingAndShowingKeepPositionAndRangeFollowsTheFrame()
    {
        MainWindow& window = *m_window;
        const int H = window.H();
        window.ScrollTo(123);
        // The focus on a field in view, so showing the page has nothing to bring into view.
        for (QLineEdit* edit : window.page->findChildren<QLineEdit*>()) {
            if (edit->mapTo(window.page, QPoint(0, 0)).y() > 20) {
                edit->setFocus();
                break;
            }
        }
        window.page->hide();
        window.page->setGeometry(10, 10, 600, 250);
        window.page->show();
        const int lower = kFrameHeight - 250;
        QCOMPARE(window.page->PageHeight(), H + lower);
        QCOMPARE(window.Bar()->maximum(), H + lower + 1);
        QCOMPARE(window.Bar()->pageStep(), H + lower);
        QCOMPARE(window.page->ScrollPos(), 123);
        QCOMPARE(window.Form()->y(), -122);
        QCOMPARE(window.Bar()->height(), 250);
    }

    void theBackgroundIsTheMainWindowsColour()
    {
        MainWindow& window = *m_window;
        // The margin at the top left of the form, where no control paints, as the main window shows it.
        QVERIFY(window.dialog.palette().color(QPalette::Window) != QColor(Qt::white));
        const QImage image = window.dialog.grab().toImage();
        QCOMPARE(image.pixelColor(window.page->geometry().topLeft() + QPoint(1, 1)), QColor(Qt::white));
    }

    void theFormFillsThePageLeftOfTheBar_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("wide") << 680;
        // The main window's page frame, less its border.
        QTest::newRow("main window frame") << CDialogUnits(QApplication::font()).X(298) - 8;
    }

    void theFormFillsThePageLeftOfTheBar()
    {
        QFETCH(int, width);
        const MainWindow& window = *m_window;
        window.page->resize(width, kFrameHeight);
        const int barLeft = window.Bar()->x();
        QCOMPARE(barLeft + window.Bar()->width(), width);
        QCOMPARE(window.Form()->x(), 0);
        QCOMPARE(window.Form()->width(), barLeft);
        // Every control whole, left of the bar, and every label wide enough for its text.
        for (const QWidget* control : window.Form()->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(window.page))
                continue;
            const QRect place(control->mapTo(window.page, QPoint(0, 0)), control->size());
            QVERIFY2(place.left() >= 0 && place.right() < barLeft, qPrintable(control->objectName()));
            if (const auto* label = qobject_cast<const QLabel*>(control))
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
        // The scroll range is the form's height, whatever the width.
        QCOMPARE(window.Bar()->maximum(), window.H() + 1);
    }

    void tabScrollsWhatItReachesIntoView_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Backtab") << int(Qt::Key_Backtab);
    }

    void tabScrollsWhatItReachesIntoView()
    {
        QFETCH(int, key);
        const MainWindow& window = *m_window;
        window.Control("ipCtiAddr")->setFocus();
        QCOMPARE(window.page->ScrollPos(), 1);
        int lowest = 1;
        int highest = 1;
        // Twice round the page, so that Tab also has to climb back from its bottom.
        for (int step = 0; step < 60; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            const QWidget* focus = QApplication::focusWidget();
            // The main window's own controls are on the way round too.
            if (!window.page->isAncestorOf(focus))
                continue;
            const QRect place(focus->mapTo(window.page, QPoint(0, 0)), focus->size());
            QVERIFY2(place.top() >= 0 && place.bottom() < window.page->height(),
                     qPrintable(focus->objectName()));
            QCOMPARE(window.Bar()->value(), window.page->ScrollPos());
            QCOMPARE(window.Form()->y(), 1 - window.page->ScrollPos());
            lowest = std::min(lowest, window.page->ScrollPos());
            highest = std::max(highest, window.page->ScrollPos());
        }
        QVERIFY(highest > window.H() / 3);
        QCOMPARE(lowest, 1);
    }

    void aFocusMoveByTheProgramScrollsToo()
    {
        const MainWindow& window = *m_window;
        QWidget* last = window.Control("editTtsBufferPath");
        last->setFocus();
        const QRect place(last->mapTo(window.page, QPoint(0, 0)), last->size());
        QVERIFY(place.top() >= 0 && place.bottom() < window.page->height());
        QVERIFY(window.page->ScrollPos() > 1);
    }

    void aClickDoesNotScroll()
    {
        const MainWindow& window = *m_window;
        // A field cut by the bottom of the frame, clicked where it shows.
        QWidget* field = window.Control("editLeaveWordPath");
        const int top = window.TopOf("editLeaveWordPath");
        window.ScrollTo(top - window.page->height() + field->height() / 2 + 1);
        const int position = window.page->ScrollPos();
        QVERIFY(window.TopOf("editLeaveWordPath") + field->height() > window.page->height());
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(10, 2));
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(window.page->ScrollPos(), position);
    }

    void enterAndEscapeAnywhereButOnAButtonChangeNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapeAnywhereButOnAButtonChangeNothing()
    {
        QFETCH(int, key);
        MainWindow& window = *m_window;
        window.Control<QLineEdit>("editFlowFile")->setText(QStringLiteral("/srv/ivr/new.flow"));
        window.Control<QListWidget>("listFlows")->setCurrentRow(0);
        QSignalSpy finished(&window.dialog, &QDialog::finished);
        QSignalSpy okClicked(window.okButton, &QPushButton::clicked);

        const auto state = [&window] {
            QStringList texts;
            for (const QLineEdit* edit : window.page->findChildren<QLineEdit*>())
                texts << edit->objectName() + QLatin1Char('=') + edit->text();
            for (const QComboBox* combo : window.page->findChildren<QComboBox*>())
                texts << combo->objectName() + QLatin1Char('=') + QString::number(combo->currentIndex());
            const auto* list = window.Control<QListWidget>("listFlows");
            texts << QStringLiteral("flows=%1").arg(list->count());
            texts << QStringLiteral("scroll=%1").arg(window.page->ScrollPos());
            return texts;
        };

        int fields = 0;
        for (QWidget* widget : window.page->findChildren<QWidget*>()) {
            // A field that hands its focus on is tried through the control it hands it to.
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible() || widget->focusProxy() ||
                qobject_cast<QAbstractButton*>(widget))
                continue;
            ++fields;
            widget->setFocus();
            QCOMPARE(QApplication::focusWidget(), widget);
            const QStringList before = state();
            QTest::keyClick(widget, Qt::Key(key));
            QVERIFY2(window.dialog.isVisible(), qPrintable(widget->objectName()));
            QVERIFY2(window.page->isVisible(), qPrintable(widget->objectName()));
            QVERIFY2(finished.isEmpty() && okClicked.isEmpty(), qPrintable(widget->objectName()));
            QCOMPARE(state(), before);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
        QVERIFY(fields >= 18);
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("clicks");
        for (const char* button :
             {"btnAddFlow", "btnDelFlow", "editRecPath/btnBrowse", "editFlowFile/btnBrowse"}) {
            QTest::addRow("%s, Return", button) << QString::fromLatin1(button) << int(Qt::Key_Return) << 1;
            QTest::addRow("%s, Enter", button) << QString::fromLatin1(button) << int(Qt::Key_Enter) << 1;
            QTest::addRow("%s, Escape", button) << QString::fromLatin1(button) << int(Qt::Key_Escape) << 0;
        }
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, clicks);
        MainWindow& window = *m_window;
        int chooserCalls = 0;
        CFileChooser::Handler previous =
            CFileChooser::SetHandler([&chooserCalls](const CFileChooser::Request&) {
                ++chooserCalls;
                return QString();
            });
        const QStringList path = button.split(QLatin1Char('/'));
        QAbstractButton* target = window.page->findChild<QAbstractButton*>(path[0]);
        if (path.size() == 2)
            target = window.page->findChild<CBrowseEdit*>(path[0])->BrowseButton();
        target->setFocus();
        QSignalSpy clicked(target, &QAbstractButton::clicked);
        QSignalSpy finished(&window.dialog, &QDialog::finished);
        QSignalSpy okClicked(window.okButton, &QPushButton::clicked);
        QTest::keyClick(target, Qt::Key(key));
        CFileChooser::SetHandler(std::move(previous));
        QCOMPARE(int(clicked.size()), clicks);
        QCOMPARE(chooserCalls, path.size() == 2 ? clicks : 0);
        QVERIFY(window.dialog.isVisible());
        QVERIFY(finished.isEmpty() && okClicked.isEmpty());
    }

    void enterOnAddAddsTheFlow()
    {
        MainWindow& window = *m_window;
        window.Control<QLineEdit>("editFlowFile")->setText(QStringLiteral("/srv/ivr/new.flow"));
        auto* add = window.Control("btnAddFlow");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        const auto* list = window.Control<QListWidget>("listFlows");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("/srv/ivr/new.flow"));
    }

    void pagesShareOneFilterThatOutlivesEachOfThem()
    {
        MainWindow& window = *m_window;
        {
            MainWindow other;
            QVERIFY(other.Show());
        }
        QVERIFY(m_window->Show());
        // The keys of the page still left are still handled.
        QWidget* field = window.Control("editCtiPort");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(window.dialog.isVisible());
        window.ScrollTo(1);
        window.Control("editTtsBufferPath")->setFocus();
        QVERIFY(window.page->ScrollPos() > 1);
        enterOnAddAddsTheFlow();
    }

    void enterAndEscapeOutsideThePageStillReachTheMainWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void enterAndEscapeOutsideThePageStillReachTheMainWindow()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        MainWindow& window = *m_window;
        window.outsideField->setFocus();
        QTest::keyClick(window.outsideField, Qt::Key(key));
        QVERIFY(!window.dialog.isVisible());
        QCOMPARE(window.dialog.result(), result);
    }

    void mainWindowShortcutsDoNotTakeThemFromThePage()
    {
        MainWindow& window = *m_window;
        QShortcut shortcut(QKeySequence(Qt::Key_Escape), &window.dialog);
        QSignalSpy activated(&shortcut, &QShortcut::activated);
        QWidget* field = window.Control("editCtiPort");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(activated.size(), 0);
        window.outsideField->setFocus();
        QTest::keyClick(window.outsideField, Qt::Key_Escape);
        QCOMPARE(activated.size(), 1);
    }

    void otherKeysStillReachTheFields()
    {
        const MainWindow& window = *m_window;
        auto* port = window.Control<QLineEdit>("editCtiPort");
        port->setFocus();
        port->selectAll();
        QTest::keyClicks(port, QStringLiteral("9000"));
        QCOMPARE(port->text(), QStringLiteral("9000"));
    }
};

QTEST_MAIN(TestPageBase)
#include "support/TestSettings.h"
#include "tst_pagebase.moc"
