// The image button: which image each state shows, where it goes, the transparent colour, the
// frame, hover tracking, clicks and focus, checked on the drawn pixels.
#include "controls/CButtonST.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QRgb kKey = qRgb(0, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kNearBlack = qRgb(1, 1, 1);
const QRgb kInColour = qRgb(0, 0, 255);
const QRgb kOutColour = qRgb(255, 0, 0);
const QRgb kMarker = qRgb(0, 255, 0);
const QRgb kParentColour = qRgb(200, 0, 200);
const QRgb kBannerColour = qRgb(240, 240, 240);
const QRgb kFace = qRgb(180, 190, 200);
const QRgb kLight = qRgb(250, 250, 120); // redder than anything else drawn
const QRgb kMidlight = qRgb(120, 250, 250);
const QRgb kDark = qRgb(90, 60, 30);
const QRgb kShadow = qRgb(30, 60, 90);

// 20 x 10 images: columns 16 to 19 are the transparent colour, 14 and 15 are near black.
constexpr int kImageWidth = 20;
constexpr int kImageHeight = 10;
const QRect kKeyColumns(16, 0, 4, kImageHeight);
const QRect kNearBlackColumns(14, 0, 2, kImageHeight);
const QPoint kMarkerAt(2, 2);

QImage MakeImage(QRgb colour)
{
    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB32);
    image.fill(colour);
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = kNearBlackColumns.left(); x <= kKeyColumns.right(); ++x)
            image.setPixel(x, y, kKeyColumns.contains(x, y) ? kKey : kNearBlack);
    }
    image.setPixel(kMarkerAt, kMarker);
    return image;
}

QRgb Rgb(QRgb pixel)
{
    return pixel | 0xff000000u;
}

enum class Action
{
    Leave,
    FocusOut,
    Deactivate,
    Disable
};

enum class State
{
    Away,
    Hovered,
    Pressed,
    Focused,
    Default
};

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(State)

class TestButtonST : public QObject
{
    Q_OBJECT

private:
    // A 40 x 20 button at (10, 10) with no caption: a 20 x 10 image sits at (10, 5) in it.
    static constexpr QPoint kImageAt{10, 5};

    std::unique_ptr<QWidget> m_window;
    QWidget* m_banner = nullptr;
    CButtonST* m_button = nullptr;
    QImage m_in;
    QImage m_out;

    QImage Shot() const { return m_button->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb ImagePixel(const QImage& shot, QPoint inImage) const { return Rgb(shot.pixel(kImageAt + inImage)); }
    void Hover() { QTest::mouseMove(m_button, m_button->rect().center()); }
    void SendMove(QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, at, m_button->mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(m_button, &move);
    }

private Q_SLOTS:
    void init();
    void cleanup();

    void imageFollowsState_data();
    void imageFollowsState();
    void mouseMoveTracksHover_data();
    void mouseMoveTracksHover();
    void hoverEnds_data();
    void hoverEnds();
    void pressedShiftsImage();
    void keyColourShowsBackground_data();
    void keyColourShowsBackground();
    void paletteChangeRedraws_data();
    void paletteChangeRedraws();
    void frameFollowsState_data();
    void frameFollowsState();
    void trackingNeedsActiveWindow_data();
    void trackingNeedsActiveWindow();
    void imagePlacement_data();
    void imagePlacement();
    void captionRightOfImage_data();
    void captionRightOfImage();
    void transparentFollowsMove();
    void fitToImage();
    void setImagesResult_data();
    void setImagesResult();
    void disabledDrawsGreyed();
    void doubleClickCountsAsTwoClicks();
    void clickTakesFocus();
    void focusShows_data();
    void focusShows();
    void disablingMovesFocus_data();
    void disablingMovesFocus();
    void artworkLoads_data();
    void artworkLoads();
    void markShowsInTheCorner();
};

void TestButtonST::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->setObjectName(QStringLiteral("window"));
    QPalette palette = m_window->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, kParentColour);
        palette.setColor(group, QPalette::Button, kFace);
        palette.setColor(group, QPalette::Light, kLight);
        palette.setColor(group, QPalette::Midlight, kMidlight);
        palette.setColor(group, QPalette::Dark, kDark);
        palette.setColor(group, QPalette::Shadow, kShadow);
    }
    m_window->setPalette(palette);
    m_window->setAutoFillBackground(true);
    m_window->resize(200, 100);

    // A banner right of the button's usual place, as the group buttons sit on one.
    m_banner = new QWidget(m_window.get());
    m_banner->setObjectName(QStringLiteral("banner"));
    QPalette bannerPalette = m_banner->palette();
    bannerPalette.setColor(QPalette::Window, kBannerColour);
    m_banner->setPalette(bannerPalette);
    m_banner->setAutoFillBackground(true);
    m_banner->setGeometry(100, 0, 100, 100);

    m_button = new CButtonST(m_window.get());
    m_button->setGeometry(10, 10, 40, 20);
    m_in = MakeImage(kInColour);
    m_out = MakeImage(kOutColour);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestButtonST::cleanup()
{
    m_window.reset();
    // Keep the pointer of one case from hovering the next case's button.
    QCursor::setPos(QPoint(500, 500));
}

void TestButtonST::imageFollowsState_data()
{
    QTest::addColumn<bool>("withOutImage");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("press");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("in-image only, away") << false << false << false << kInColour;
    QTest::newRow("in-image only, hovered") << false << true << false << kInColour;
    QTest::newRow("in-image only, pressed") << false << false << true << kInColour;
    QTest::newRow("both, away") << true << false << false << kOutColour;
    QTest::newRow("both, hovered") << true << true << false << kInColour;
    QTest::newRow("both, pressed") << true << false << true << kInColour;
}

void TestButtonST::imageFollowsState()
{
    QFETCH(bool, withOutImage);
    QFETCH(bool, hover);
    QFETCH(bool, press);
    QFETCH(QRgb, expected);

    QCOMPARE(m_button->SetImages(m_in, kKey, withOutImage ? m_out : QImage(), kKey), CButtonST::ImagesOk);
    if (hover)
        Hover();
    m_button->setDown(press);
    QCOMPARE(m_button->IsHovered(), hover);
    QCOMPARE(ImagePixel(Shot(), QPoint(8, 5)), expected);
}

void TestButtonST::mouseMoveTracksHover_data()
{
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("hoveredBefore");
    QTest::addColumn<Qt::MouseButtons>("buttons");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("hoveredAfter");

    QTest::newRow("move onto") << true << false << Qt::MouseButtons(Qt::NoButton) << true << true;
    QTest::newRow("move away") << true << true << Qt::MouseButtons(Qt::NoButton) << false << false;
    QTest::newRow("left held, onto") << true << false << Qt::MouseButtons(Qt::LeftButton) << true << false;
    QTest::newRow("left held, stays") << true << true << Qt::MouseButtons(Qt::LeftButton) << true << true;
    QTest::newRow("left held, away") << true << true << Qt::MouseButtons(Qt::LeftButton) << false << false;
    QTest::newRow("right held, onto") << true << false << Qt::MouseButtons(Qt::RightButton) << true << true;
    QTest::newRow("not flat, onto") << false << false << Qt::MouseButtons(Qt::NoButton) << true << false;
}

void TestButtonST::mouseMoveTracksHover()
{
    QFETCH(bool, flat);
    QFETCH(bool, hoveredBefore);
    QFETCH(Qt::MouseButtons, buttons);
    QFETCH(bool, inside);
    QFETCH(bool, hoveredAfter);

    QCOMPARE(m_button->SetImages(m_in, kKey, m_out, kKey), CButtonST::ImagesOk);
    m_button->SetFlat(flat);
    if (hoveredBefore) {
        SendMove(m_button->rect().center(), Qt::NoButton);
        QVERIFY(m_button->IsHovered());
    }
    SendMove(inside ? m_button->rect().center() : QPoint(-5, 3), buttons);
    QCOMPARE(m_button->IsHovered(), hoveredAfter);
    QCOMPARE(ImagePixel(Shot(), QPoint(8, 5)), hoveredAfter ? kInColour : kOutColour);
}

void TestButtonST::hoverEnds_data()
{
    QTest::addColumn<Action>("action");

    QTest::newRow("mouse leaves") << Action::Leave;
    QTest::newRow("focus lost") << Action::FocusOut;
    QTest::newRow("window deactivated") << Action::Deactivate;
    QTest::newRow("disabled") << Action::Disable;
}

void TestButtonST::hoverEnds()
{
    QFETCH(Action, action);

    QCOMPARE(m_button->SetImages(m_in, kKey, m_out, kKey), CButtonST::ImagesOk);
    Hover();
    QVERIFY(m_button->IsHovered());
    switch (action) {
    case Action::Leave: {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_button, &leave);
        break;
    }
    case Action::FocusOut: {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(m_button, &focusOut);
        break;
    }
    case Action::Deactivate: {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(m_window.get(), &deactivate);
        break;
    }
    case Action::Disable:
        m_button->setEnabled(false);
        break;
    }
    QVERIFY(!m_button->IsHovered());
    if (action != Action::Disable) // a disabled button draws greyed, checked on its own
        QCOMPARE(ImagePixel(Shot(), QPoint(8, 5)), kOutColour);
}

void TestButtonST::pressedShiftsImage()
{
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    Hover();
    const QImage hovered = Shot();
    m_button->setDown(true);
    const QImage pressed = Shot();

    QCOMPARE(ImagePixel(pressed, kMarkerAt + QPoint(1, 1)), kMarker);
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            const QPoint at(x, y);
            QCOMPARE(ImagePixel(pressed, at + QPoint(1, 1)), ImagePixel(hovered, at));
        }
    }
}

void TestButtonST::keyColourShowsBackground_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("background");

    QTest::newRow("filled") << false << QPoint(10, 10) << kFace;
    QTest::newRow("transparent, over the parent") << true << QPoint(10, 10) << kParentColour;
    QTest::newRow("transparent, over the banner") << true << QPoint(120, 40) << kBannerColour;
}

void TestButtonST::keyColourShowsBackground()
{
    QFETCH(bool, transparent);
    QFETCH(QPoint, at);
    QFETCH(QRgb, background);

    m_button->move(at);
    if (transparent)
        m_button->SetTransparent();
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    // Without the focus, whose mark would cross the background looked at.
    m_button->clearFocus();
    const QImage shot = Shot();

    QCOMPARE(ImagePixel(shot, kKeyColumns.center()), background);
    QCOMPARE(ImagePixel(shot, kNearBlackColumns.center()), kNearBlack);
    QCOMPARE(ImagePixel(shot, QPoint(8, 5)), kInColour);
    QCOMPARE(Rgb(shot.pixel(2, 2)), background);
}

void TestButtonST::paletteChangeRedraws_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QPalette::ColorRole>("role");

    QTest::newRow("filled: button face") << false << QPalette::Button;
    QTest::newRow("transparent: parent colour") << true << QPalette::Window;
}

void TestButtonST::paletteChangeRedraws()
{
    QFETCH(bool, transparent);
    QFETCH(QPalette::ColorRole, role);

    if (transparent)
        m_button->SetTransparent();
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    const QRgb before = ImagePixel(Shot(), kKeyColumns.center());

    const QRgb changed = qRgb(10, 120, 30);
    QVERIFY(before != changed);
    QPalette palette = m_window->palette();
    palette.setColor(role, changed);
    m_window->setPalette(palette);
    QCOMPARE(ImagePixel(Shot(), kKeyColumns.center()), changed);
}

void TestButtonST::frameFollowsState_data()
{
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("border");
    QTest::addColumn<State>("state");
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("bottomRight");
    QTest::addColumn<QRgb>("inside"); // one pixel in from the top left corner

    QTest::newRow("flat, away") << true << true << State::Away << kFace << kFace << kFace;
    QTest::newRow("flat, hovered") << true << true << State::Hovered << kLight << kDark << kFace;
    QTest::newRow("flat, hovered, no border") << true << false << State::Hovered << kFace << kFace << kFace;
    QTest::newRow("flat, pressed") << true << true << State::Pressed << kDark << kLight << kFace;
    QTest::newRow("flat, pressed, no border") << true << false << State::Pressed << kFace << kFace << kFace;
    QTest::newRow("flat, focused") << true << true << State::Focused << kFace << kFace << kFace;
    QTest::newRow("raised") << false << true << State::Away << kMidlight << kShadow << kLight;
    QTest::newRow("raised, default") << false << true << State::Default << kBlack << kBlack << kMidlight;
    QTest::newRow("raised, focused") << false << true << State::Focused << kBlack << kBlack << kMidlight;
    QTest::newRow("raised, pressed") << false << true << State::Pressed << kDark << kDark << kFace;
}

void TestButtonST::frameFollowsState()
{
    QFETCH(bool, flat);
    QFETCH(bool, border);
    QFETCH(State, state);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, bottomRight);
    QFETCH(QRgb, inside);

    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    m_button->SetFlat(flat);
    m_button->SetBorder(border);
    // Showing the window focused the button, its first tab stop.
    if (state != State::Focused)
        m_button->clearFocus();
    QCOMPARE(m_button->hasFocus(), state == State::Focused);
    m_button->setDefault(state == State::Default);
    if (state == State::Hovered)
        Hover();
    m_button->setDown(state == State::Pressed);
    const QImage shot = Shot();

    QCOMPARE(Rgb(shot.pixel(0, 0)), topLeft);
    QCOMPARE(Rgb(shot.pixel(shot.width() - 1, shot.height() - 1)), bottomRight);
    QCOMPARE(Rgb(shot.pixel(1, 1)), inside);
}

void TestButtonST::trackingNeedsActiveWindow_data()
{
    QTest::addColumn<bool>("alwaysTrack");
    QTest::addColumn<bool>("windowActive");
    QTest::addColumn<bool>("hovered");

    QTest::newRow("always, active window") << true << true << true;
    QTest::newRow("always, no active window") << true << false << true;
    QTest::newRow("with window, active window") << false << true << true;
    QTest::newRow("with window, no active window") << false << false << false;
}

void TestButtonST::trackingNeedsActiveWindow()
{
    QFETCH(bool, alwaysTrack);
    QFETCH(bool, windowActive);
    QFETCH(bool, hovered);

    m_button->SetAlwaysTrack(alwaysTrack);
    QApplication::setActiveWindow(windowActive ? m_window.get() : nullptr);
    QCOMPARE(QApplication::activeWindow() != nullptr, windowActive);
    SendMove(m_button->rect().center(), Qt::NoButton);
    QCOMPARE(m_button->IsHovered(), hovered);
}

void TestButtonST::imagePlacement_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("left");

    QTest::newRow("no caption: centred") << QString() << 10;
    QTest::newRow("caption: at the origin") << QStringLiteral("OK") << 3;
}

void TestButtonST::imagePlacement()
{
    QFETCH(QString, caption);
    QFETCH(int, left);

    m_button->setText(caption);
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    // Without the focus, whose mark would cross the face looked at beside the image.
    m_button->clearFocus();
    const QImage shot = Shot();
    const int top = (m_button->height() - kImageHeight) / 2;
    QCOMPARE(Rgb(shot.pixel(left + kMarkerAt.x(), top + kMarkerAt.y())), kMarker);
    QCOMPARE(Rgb(shot.pixel(left, top)), kInColour);
    QCOMPARE(Rgb(shot.pixel(left - 1, top)), kFace);
}

void TestButtonST::captionRightOfImage_data()
{
    QTest::addColumn<bool>("enabled");

    QTest::newRow("enabled") << true;
    QTest::newRow("disabled: embossed") << false;
}

void TestButtonST::captionRightOfImage()
{
    QFETCH(bool, enabled);

    m_button->resize(80, 24);
    m_button->setEnabled(enabled);
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    // A blank caption places the image as any caption does but draws no text.
    m_button->setText(QStringLiteral(" "));
    const QImage blank = Shot();
    m_button->setText(QStringLiteral("WW"));
    const QImage shot = Shot();

    const int captionLeft = 3 + kImageWidth;
    bool drawnRight = false;
    bool light = false;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (x < captionLeft)
                QCOMPARE(shot.pixel(x, y), blank.pixel(x, y));
            else
                drawnRight |= shot.pixel(x, y) != blank.pixel(x, y);
            // Only the embossing's light copy brings red above the face's.
            light |= qRed(shot.pixel(x, y)) > (qRed(kFace) + qRed(kLight)) / 2;
        }
    }
    QVERIFY(drawnRight);
    QCOMPARE(light, !enabled);
}

void TestButtonST::transparentFollowsMove()
{
    m_button->SetTransparent();
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    QCOMPARE(ImagePixel(Shot(), kKeyColumns.center()), kParentColour);
    m_button->move(120, 40);
    QCOMPARE(ImagePixel(Shot(), kKeyColumns.center()), kBannerColour);
}

void TestButtonST::fitToImage()
{
    const QImage tile(QStringLiteral(":/images/btn_dev_in.png"));
    QCOMPARE(tile.size(), QSize(80, 30));
    m_button->setText(QStringLiteral("OK"));
    m_button->setGeometry(17, 9, 120, 50);
    QCOMPARE(m_button->SetImages(tile, kKey), CButtonST::ImagesOk);
    m_button->FitToImage();
    QCOMPARE(m_button->geometry(), QRect(17, 9, 80, 30));

    // The image now starts at the left edge even with a caption.
    m_button->SetImages(m_in, kKey);
    m_button->FitToImage();
    QCOMPARE(m_button->geometry(), QRect(17, 9, kImageWidth, kImageHeight));
    QCOMPARE(Rgb(Shot().pixel(kMarkerAt)), kMarker);
}

void TestButtonST::setImagesResult_data()
{
    QTest::addColumn<bool>("withIn");
    QTest::addColumn<bool>("withOut");
    QTest::addColumn<CButtonST::ImageResult>("result");
    QTest::addColumn<QRgb>("shown"); // at the middle of the image when away

    QTest::newRow("in-image") << true << false << CButtonST::ImagesOk << kInColour;
    QTest::newRow("both images") << true << true << CButtonST::ImagesOk << kOutColour;
    QTest::newRow("no in-image") << false << false << CButtonST::ImagesInvalid << kFace;
    QTest::newRow("out-image without in-image") << false << true << CButtonST::ImagesInvalid << kFace;
}

void TestButtonST::setImagesResult()
{
    QFETCH(bool, withIn);
    QFETCH(bool, withOut);
    QFETCH(CButtonST::ImageResult, result);
    QFETCH(QRgb, shown);

    // Earlier images are dropped whatever the outcome.
    QCOMPARE(m_button->SetImages(MakeImage(kMarker), kKey), CButtonST::ImagesOk);
    QCOMPARE(m_button->SetImages(withIn ? m_in : QImage(), kKey, withOut ? m_out : QImage(), kKey), result);
    QCOMPARE(ImagePixel(Shot(), QPoint(8, 5)), shown);
}

void TestButtonST::disabledDrawsGreyed()
{
    m_button->SetTransparent();
    QCOMPARE(m_button->SetImages(m_in, kKey, m_out, kKey), CButtonST::ImagesOk);
    const QRgb enabled = ImagePixel(Shot(), QPoint(8, 5));
    m_button->setEnabled(false);
    const QImage shot = Shot();

    const QRgb disabled = ImagePixel(shot, QPoint(8, 5));
    QVERIFY(disabled != enabled);
    QCOMPARE(qRed(disabled), qGreen(disabled));
    QCOMPARE(qGreen(disabled), qBlue(disabled));
    QVERIFY(ImagePixel(shot, kMarkerAt) != disabled);
    QCOMPARE(ImagePixel(shot, kKeyColumns.center()), kParentColour);
}

void TestButtonST::doubleClickCountsAsTwoClicks()
{
    QSignalSpy clicks(m_button, &QAbstractButton::clicked);
    const QPoint centre = m_button->rect().center();
    QTest::mouseClick(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(clicks.size(), 2);
}

void TestButtonST::clickTakesFocus()
{
    auto* edit = new QLineEdit(m_window.get());
    edit->setObjectName(QStringLiteral("edit"));
    edit->show();
    edit->setFocus();
    QCOMPARE(m_window->focusWidget(), edit);
    m_button->click();
    QCOMPARE(m_window->focusWidget(), m_button);
}

void TestButtonST::focusShows_data()
{
    QTest::addColumn<bool>("flat");
    QTest::newRow("flat") << true;
    QTest::newRow("raised") << false;
}

// A button with the focus looks otherwise than without it, whatever its kind.
void TestButtonST::focusShows()
{
    QFETCH(bool, flat);
    QCOMPARE(m_button->SetImages(m_in, kKey), CButtonST::ImagesOk);
    m_button->SetFlat(flat);
    m_button->setFocus(Qt::TabFocusReason);
    QVERIFY(m_button->hasFocus());
    const QImage focused = Shot();
    m_button->clearFocus();
    QVERIFY(focused != Shot());
}

void TestButtonST::disablingMovesFocus_data()
{
    QTest::addColumn<bool>("withNextStop");

    QTest::newRow("to the next tab stop") << true;
    QTest::newRow("to the parent") << false;
}

void TestButtonST::disablingMovesFocus()
{
    QFETCH(bool, withNextStop);

    auto* box = new QWidget(m_window.get());
    box->setObjectName(QStringLiteral("box"));
    m_button->setParent(box);
    auto* next = new QLineEdit(box);
    next->setObjectName(QStringLiteral("next"));
    next->setVisible(withNextStop);
    auto* outside = new QLineEdit(m_window.get());
    outside->setObjectName(QStringLiteral("outside"));
    box->show();
    m_button->show();
    outside->show();

    outside->setFocus();
    QCOMPARE(m_window->focusWidget(), outside);
    m_button->setEnabled(false);
    QCOMPARE(m_window->focusWidget(), withNextStop ? next : box);
}

void TestButtonST::artworkLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("keyed"); // drawn over pure black, the transparent colour

    QTest::newRow("banner") << QStringLiteral(":/images/banner.png") << QSize(515, 30) << false;
    for (const char* name : {"sys", "dev", "line"}) {
        for (const char* state : {"out", "in"}) {
            const QString file =
                QStringLiteral("btn_%1_%2.png").arg(QLatin1String(name), QLatin1String(state));
            QTest::newRow(qPrintable(file)) << QStringLiteral(":/images/") + file << QSize(80, 30) << true;
        }
    }
    QTest::newRow("icon") << QStringLiteral(":/images/tarvex.png") << QSize(64, 64) << false;
    QTest::newRow("small icon") << QStringLiteral(":/images/tarvex_32.png") << QSize(32, 32) << false;
}

void TestButtonST::artworkLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, keyed);

    const QImage image(path);
    QCOMPARE(image.size(), size);
    if (!keyed)
        return;
    QCOMPARE(image.depth(), 32);
    QCOMPARE(Rgb(image.pixel(0, 0)), kKey);
    QCOMPARE(Rgb(image.pixel(79, 29)), kKey);
    // The word and icon must survive the key: several hundred drawn pixels, none of them lost.
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            drawn += Rgb(image.pixel(x, y)) != kKey;
    }
    QVERIFY2(drawn > 300, qPrintable(QString::number(drawn)));
}

// The mark is a dot in the top right corner, over whatever is drawn there; cleared, the
// button looks as before.
void TestButtonST::markShowsInTheCorner()
{
    const QImage plain = Shot();
    m_button->SetMarked(true);
    QVERIFY(m_button->IsMarked());
    const QImage marked = Shot();
    const int diameter = std::max(6, m_button->fontMetrics().height() / 2);
    const QPoint centre(m_button->width() - 3 - diameter / 2, 2 + diameter / 2);
    QCOMPARE(Rgb(marked.pixel(centre)), qRgb(0xE0, 0x60, 0x10));
    // The rest of the button is untouched.
    QCOMPARE(Rgb(marked.pixel(2, m_button->height() - 3)), Rgb(plain.pixel(2, m_button->height() - 3)));
    m_button->SetMarked(false);
    QCOMPARE(Shot(), plain);
}

QTEST_MAIN(TestButtonST)
#include "tst_buttonst.moc"
