// Draws the program's artwork into the resource folder: the banner, the group-button tiles and
// the application icon. Run it again after changing a drawing; the PNG files are kept in git.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <functional>

namespace {

// The banner behind the group buttons. The tiles are drawn on the same grey so that their
// antialiased edges blend into the banner.
const QColor kBannerGrey(240, 240, 240);
const QColor kInk(24, 24, 24);
const QColor kBlue(20, 100, 210);

constexpr int kTileWidth = 80;
constexpr int kTileHeight = 30;

using IconPainter = std::function<void(QPainter&, const QColor& ink, const QColor& fill)>;

QPen Stroke(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Icons are drawn in a 24 x 24 box.
void DrawGlobe(QPainter& painter, const QColor& ink, const QColor& fill)
{
    const QPointF centre(12, 12);
    painter.setPen(Stroke(ink, 1.6));
    painter.setBrush(fill);
    painter.drawEllipse(centre, 10, 10);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(ink, 1.2));
    painter.drawEllipse(centre, 4.5, 10);
    painter.drawLine(QPointF(12, 2), QPointF(12, 22));
    painter.drawLine(QPointF(2, 12), QPointF(22, 12));
    painter.drawLine(QPointF(4, 7), QPointF(20, 7));
    painter.drawLine(QPointF(4, 17), QPointF(20, 17));
}

void DrawMonitor(QPainter& painter, const QColor& ink, const QColor& fill)
{
    painter.setPen(Stroke(ink, 1.6));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(2, 3, 20, 14), 1.5, 1.5);
    painter.setBrush(ink);
    painter.drawRect(QRectF(10.5, 17, 3, 3));
    painter.drawRoundedRect(QRectF(6.5, 20, 11, 1.8), 0.9, 0.9);
    // The screen's reflection, so that the icon does not look empty.
    painter.setPen(Stroke(ink, 1.0));
    painter.drawLine(QPointF(15, 6), QPointF(19, 6));
    painter.drawLine(QPointF(17.5, 8), QPointF(19, 8));
}

void DrawAntenna(QPainter& painter, const QColor& ink, const QColor& fill)
{
    const QPointF top(12, 8);
    painter.setPen(Stroke(ink, 1.6));
    // The mast: a lattice tower under the aerial.
    QPainterPath tower;
    tower.moveTo(12, 10);
    tower.lineTo(6.5, 22.5);
    tower.moveTo(12, 10);
    tower.lineTo(17.5, 22.5);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tower);
    painter.setPen(Stroke(ink, 1.1));
    painter.drawLine(QPointF(9.6, 15.5), QPointF(14.4, 15.5));
    painter.drawLine(QPointF(9.6, 15.5), QPointF(16.2, 19.5));
    painter.drawLine(QPointF(14.4, 15.5), QPointF(7.8, 19.5));
    painter.drawLine(QPointF(5, 22.5), QPointF(19, 22.5));
    // The radio waves either side of the aerial.
    painter.setPen(Stroke(ink, 1.5));
    for (const qreal radius : {4.5, 8.0}) {
        const QRectF box(top.x() - radius, top.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(box, 135 * 16, 90 * 16);
        painter.drawArc(box, -45 * 16, 90 * 16);
    }
    painter.setPen(Stroke(ink, 1.2));
    painter.setBrush(fill);
    painter.drawEllipse(top, 2.2, 2.2);
}

// A tile: icon at the left, the word right of it. Pure black is the tiles' transparent colour,
// so the drawing is made on the banner grey and only the untouched grey becomes black; edges
// that blend keep a grey tone and the ink is never pure black.
QImage DrawTile(const IconPainter& icon, const QString& word, const QColor& ink, const QColor& fill)
{
    QImage tile(kTileWidth, kTileHeight, QImage::Format_ARGB32);
    tile.fill(kBannerGrey);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.translate(3, 3);
    icon(painter, ink, fill);
    painter.restore();

    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(15);
    font.setWeight(QFont::Bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRect(31, 0, kTileWidth - 31, kTileHeight), Qt::AlignLeft | Qt::AlignVCenter, word);
    painter.end();

    const QRgb grey = kBannerGrey.rgb();
    for (int y = 0; y < tile.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x) {
            if (line[x] == grey)
                line[x] = qRgb(0, 0, 0);
            else if (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) == 0)
                line[x] = qRgb(1, 1, 1);
        }
    }
    return tile;
}

// The application icon: a headset on a blue tile, drawn in a 64 x 64 box and scaled.
QImage DrawApplicationIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient tileGradient(0, 2, 0, 62);
    tileGradient.setColorAt(0, QColor(58, 150, 235));
    tileGradient.setColorAt(1, QColor(18, 82, 170));
    painter.setPen(QPen(QColor(12, 60, 130), 1.5));
    painter.setBrush(tileGradient);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    const QColor white(250, 250, 252);
    // Headband.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(white, 5));
    painter.drawArc(QRectF(13, 12, 38, 38), 10 * 16, 160 * 16);
    // Ear cups.
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawRoundedRect(QRectF(9, 28, 11, 17), 4.5, 4.5);
    painter.drawRoundedRect(QRectF(44, 28, 11, 17), 4.5, 4.5);
    // Microphone boom and capsule.
    QPainterPath boom;
    boom.moveTo(14.5, 44);
    boom.cubicTo(15, 52, 22, 54, 29, 54);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Stroke(white, 3));
    painter.drawPath(boom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawRoundedRect(QRectF(28, 50.5, 10, 7), 3.5, 3.5);
    // A small highlight on the tile for depth.
    QRadialGradient shine(QPointF(22, 12), 30);
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    painter.end();
    return icon;
}

bool Save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral(TARVEX_RES_DIR));

    QImage banner(515, 30, QImage::Format_RGB32);
    banner.fill(kBannerGrey);

    const QColor outFill(252, 252, 252);
    const QColor inFill(222, 234, 250);
    struct Tile
    {
        const char* name;
        IconPainter icon;
        QString word;
    };
    const Tile tiles[] = {
        {"sys", DrawGlobe, QStringLiteral("中间件")},
        {"dev", DrawMonitor, QStringLiteral("设备")},
        {"line", DrawAntenna, QStringLiteral("线路")},
    };

    bool saved = Save(banner, folder, QStringLiteral("banner.png"));
    for (const Tile& tile : tiles) {
        const QString stem = QStringLiteral("btn_") + QString::fromLatin1(tile.name);
        saved &=
            Save(DrawTile(tile.icon, tile.word, kInk, outFill), folder, stem + QStringLiteral("_out.png"));
        saved &=
            Save(DrawTile(tile.icon, tile.word, kBlue, inFill), folder, stem + QStringLiteral("_in.png"));
    }
    saved &= Save(DrawApplicationIcon(64), folder, QStringLiteral("tarvex.png"));
    saved &= Save(DrawApplicationIcon(32), folder, QStringLiteral("tarvex_32.png"));
    // The sizes of the desktop's icon theme, for the menu entry of an installed program.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString theme = QStringLiteral("icons/%1x%1").arg(size);
        saved &= folder.mkpath(theme) &&
                 Save(DrawApplicationIcon(size), QDir(folder.filePath(theme)), QStringLiteral("tarvex.png"));
    }
    return saved ? 0 : 1;
}
