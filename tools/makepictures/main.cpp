// Draws the pictures the program ships: the start screen and splash
// artwork, the program icon, and the eight grid backgrounds WP1.jpg-WP8.jpg.
// Given a second folder, it also draws the desktop icons there in the
// hicolor theme's layout (<n>x<n>/apps/sentrivo.png and scalable/apps/
// sentrivo.svg), from the same shapes as the program icon.
// Backgrounds are deliberately pale so that grid text stays readable on them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

QPainterPath shieldPath(const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.center().x(), r.top());
    path.cubicTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.08, r.left(), r.top() + r.height() * 0.10,
                 r.left(), r.top() + r.height() * 0.14);
    path.lineTo(r.left(), r.top() + r.height() * 0.45);
    path.cubicTo(r.left(), r.top() + r.height() * 0.75, r.center().x() - r.width() * 0.2, r.bottom() - r.height() * 0.08,
                 r.center().x(), r.bottom());
    path.cubicTo(r.center().x() + r.width() * 0.2, r.bottom() - r.height() * 0.08, r.right(), r.top() + r.height() * 0.75,
                 r.right(), r.top() + r.height() * 0.45);
    path.lineTo(r.right(), r.top() + r.height() * 0.14);
    path.cubicTo(r.right(), r.top() + r.height() * 0.10, r.right() - r.width() * 0.25, r.top() + r.height() * 0.08,
                 r.center().x(), r.top());
    return path;
}

// A shield with a check mark: the program's emblem.
void drawEmblem(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor(0x2b, 0x6c, 0xb0));
    fill.setColorAt(1, QColor(0x12, 0x3a, 0x6b));
    p.setPen(QPen(QColor(0xe8, 0xee, 0xf6), r.width() * 0.04));
    p.setBrush(fill);
    p.drawPath(shieldPath(r));
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.28, r.top() + r.height() * 0.50);
    tick.lineTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.66);
    tick.lineTo(r.left() + r.width() * 0.74, r.top() + r.height() * 0.32);
    p.setPen(QPen(Qt::white, r.width() * 0.10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.restore();
}

void drawTitle(QPainter &p, const QRectF &r, const QString &title, const QString &subtitle, const QColor &colour)
{
    p.save();
    QFont big(QStringLiteral("Times New Roman"));
    big.setPixelSize(int(r.height() * 0.42));
    big.setBold(true);
    p.setFont(big);
    p.setPen(colour);
    p.drawText(QRectF(r.left(), r.top(), r.width(), r.height() * 0.6), Qt::AlignLeft | Qt::AlignBottom, title);
    QFont small(QStringLiteral("Times New Roman"));
    small.setPixelSize(int(r.height() * 0.17));
    small.setItalic(true);
    p.setFont(small);
    p.drawText(QRectF(r.left(), r.top() + r.height() * 0.62, r.width(), r.height() * 0.38),
               Qt::AlignLeft | Qt::AlignTop, subtitle);
    p.restore();
}

// withTitle: the splash carries the name in its picture; the start screen
// shows it in a label of its own below the picture.
QImage artwork(int w, int h, bool withTitle)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    sky.setColorAt(1, QColor(0xc9, 0xd8, 0xea));
    p.fillRect(image.rect(), sky);
    // Faint ruled lines, like the pages of a workbook.
    p.setPen(QPen(QColor(0x9d, 0xb5, 0xd3, 90), 1));
    for (int y = h / 10; y < h; y += h / 14)
        p.drawLine(0, y, w, y);
    p.setPen(QPen(QColor(0xd0, 0x6b, 0x6b, 110), 2));
    p.drawLine(int(w * 0.08), 0, int(w * 0.08), h);
    const qreal s = h * 0.62;
    if (!withTitle) {
        drawEmblem(p, QRectF((w - s * 0.82) / 2, (h - s) / 2, s * 0.82, s));
        return image;
    }
    drawEmblem(p, QRectF(w * 0.12, (h - s) / 2, s * 0.82, s));
    drawTitle(p, QRectF(w * 0.12 + s * 0.95, h * 0.28, w * 0.6, h * 0.36), QStringLiteral("Sentrivo"),
              QStringLiteral("HIPAA Security Rule Workbook"), QColor(0x12, 0x3a, 0x6b));
    return image;
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawEmblem(p, QRectF(size * 0.12, size * 0.06, size * 0.76, size * 0.88));
    return image;
}

QString svgNumber(qreal value)
{
    return QString::number(value, 'f', 2);
}

// The path as SVG path data; Qt's curves are cubic, as SVG's "C".
QString svgPathData(const QPainterPath &path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            data += QStringLiteral("M%1 %2 ").arg(svgNumber(e.x), svgNumber(e.y));
            break;
        case QPainterPath::LineToElement:
            data += QStringLiteral("L%1 %2 ").arg(svgNumber(e.x), svgNumber(e.y));
            break;
        case QPainterPath::CurveToElement:
            data += QStringLiteral("C%1 %2 ").arg(svgNumber(e.x), svgNumber(e.y));
            break;
        case QPainterPath::CurveToDataElement:
            data += QStringLiteral("%1 %2 ").arg(svgNumber(e.x), svgNumber(e.y));
            break;
        }
    }
    return data.trimmed();
}

// The program icon as a scalable picture: the shield and check mark of
// drawEmblem(), on the same 256-unit square as icon(256).
QByteArray iconSvg()
{
    const qreal size = 256;
    const QRectF r(size * 0.12, size * 0.06, size * 0.76, size * 0.88);
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.28, r.top() + r.height() * 0.50);
    tick.lineTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.66);
    tick.lineTo(r.left() + r.width() * 0.74, r.top() + r.height() * 0.32);
    const QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"fill\" gradientUnits=\"userSpaceOnUse\" x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\">\n"
        "      <stop offset=\"0\" stop-color=\"#2b6cb0\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#123a6b\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n"
        "  <path d=\"%5\" fill=\"url(#fill)\" stroke=\"#e8eef6\" stroke-width=\"%6\"/>\n"
        "  <path d=\"%7\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%8\" stroke-linecap=\"round\" "
        "stroke-linejoin=\"round\"/>\n"
        "</svg>\n")
        .arg(svgNumber(r.left()), svgNumber(r.top()), svgNumber(r.right()), svgNumber(r.bottom()),
             svgPathData(shieldPath(r)), svgNumber(r.width() * 0.04), svgPathData(tick), svgNumber(r.width() * 0.10));
    return svg.toUtf8();
}

bool save(const QImage &image, const QString &path);

// The desktop icons in the hicolor layout under folder.
bool saveDesktopIcons(const QDir &folder)
{
    bool ok = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        ok = folder.mkpath(sub) && save(icon(size), folder.filePath(sub + QStringLiteral("/sentrivo.png"))) && ok;
    }
    ok = folder.mkpath(QStringLiteral("scalable/apps")) && ok;
    QFile svg(folder.filePath(QStringLiteral("scalable/apps/sentrivo.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "makepictures: cannot write %s\n", qPrintable(svg.fileName()));
        return false;
    }
    return ok;
}

// Pale, low-contrast textures; n selects the style.
QImage background(int n, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator rng(quint32(n * 7919));
    auto speckle = [&](const QColor &base, int spread, int count) {
        p.fillRect(image.rect(), base);
        for (int i = 0; i < count; ++i) {
            const int d = int(rng.bounded(spread * 2 + 1)) - spread;
            p.setPen(QColor(qBound(0, base.red() + d, 255), qBound(0, base.green() + d, 255),
                            qBound(0, base.blue() + d, 255)));
            p.drawPoint(int(rng.bounded(w)), int(rng.bounded(h)));
        }
    };
    switch (n) {
    case 1: // warm paper
        speckle(QColor(0xfb, 0xf6, 0xe9), 10, w * h / 3);
        break;
    case 2: { // pale sky gradient
        QLinearGradient g(0, 0, w, h);
        g.setColorAt(0, QColor(0xf1, 0xf6, 0xfd));
        g.setColorAt(1, QColor(0xdc, 0xe8, 0xf7));
        p.fillRect(image.rect(), g);
        break;
    }
    case 3: // graph paper
        p.fillRect(image.rect(), QColor(0xfa, 0xfc, 0xfa));
        p.setPen(QColor(0xdd, 0xea, 0xe0));
        for (int x = 0; x < w; x += 16)
            p.drawLine(x, 0, x, h);
        for (int y = 0; y < h; y += 16)
            p.drawLine(0, y, w, y);
        p.setPen(QColor(0xc8, 0xdc, 0xcd));
        for (int x = 0; x < w; x += 80)
            p.drawLine(x, 0, x, h);
        for (int y = 0; y < h; y += 80)
            p.drawLine(0, y, w, y);
        break;
    case 4: // parchment with soft vignette
        speckle(QColor(0xf6, 0xee, 0xd8), 8, w * h / 4);
        {
            QRadialGradient g(w / 2.0, h / 2.0, std::max(w, h) * 0.75);
            g.setColorAt(0.6, QColor(0, 0, 0, 0));
            g.setColorAt(1, QColor(0xb8, 0x9a, 0x62, 60));
            p.fillRect(image.rect(), g);
        }
        break;
    case 5: // linen
        p.fillRect(image.rect(), QColor(0xf2, 0xf7, 0xef));
        for (int y = 0; y < h; y += 3) {
            p.setPen(QColor(0xe4, 0xee, 0xe0, 120 + int(rng.bounded(80))));
            p.drawLine(0, y, w, y);
        }
        for (int x = 0; x < w; x += 3) {
            p.setPen(QColor(0xe6, 0xef, 0xe2, 80 + int(rng.bounded(60))));
            p.drawLine(x, 0, x, h);
        }
        break;
    case 6: // fine diagonal pinstripe
        p.fillRect(image.rect(), QColor(0xf7, 0xf5, 0xfb));
        p.setPen(QPen(QColor(0xe6, 0xe1, 0xf1), 1));
        for (int x = -h; x < w; x += 12)
            p.drawLine(x, 0, x + h, h);
        break;
    case 7: { // soft clouds
        p.fillRect(image.rect(), QColor(0xf3, 0xf8, 0xfc));
        for (int i = 0; i < 60; ++i) {
            const qreal cx = rng.bounded(w), cy = rng.bounded(h), rad = 60 + rng.bounded(160);
            QRadialGradient g(cx, cy, rad);
            g.setColorAt(0, QColor(255, 255, 255, 110));
            g.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillRect(image.rect(), g);
        }
        break;
    }
    default: { // 8: pale marble veins
        p.fillRect(image.rect(), QColor(0xf8, 0xf8, 0xf6));
        for (int v = 0; v < 14; ++v) {
            QPainterPath vein;
            qreal y = rng.bounded(h);
            vein.moveTo(0, y);
            for (int x = 0; x <= w; x += 40) {
                y += rng.bounded(41) - 20;
                vein.lineTo(x, y);
            }
            p.setPen(QPen(QColor(0xd9, 0xd9, 0xd4, 140), 1 + rng.bounded(3)));
            p.drawPath(vein);
        }
        break;
    }
    }
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, nullptr, 92))
        return true;
    std::fprintf(stderr, "makepictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: makepictures OUTPUT_FOLDER [ICON_THEME_FOLDER]\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "makepictures: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = save(artwork(560, 280, false), out.filePath(QStringLiteral("startscreen.png")));
    ok = save(artwork(480, 270, true), out.filePath(QStringLiteral("splash.png"))) && ok;
    ok = save(icon(256), out.filePath(QStringLiteral("icon.png"))) && ok;
    for (int n = 1; n <= 8; ++n)
        ok = save(background(n, 1024, 768), out.filePath(QStringLiteral("WP%1.jpg").arg(n))) && ok;
    if (argc == 3)
        ok = saveDesktopIcons(QDir(QString::fromLocal8Bit(argv[2]))) && ok;
    return ok ? 0 : 1;
}
