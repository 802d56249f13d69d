// Draws the program's own artwork:
//   tapestrel-artwork samples <folder>   the sample wallpapers, 1920 x 1080
//                                        JPEG files (the build runs this)
//   tapestrel-artwork pictures <folder>  the pictures of the drop window and
//                                        the empty-list dialog, at 1x and 2x
//                                        (kept in resources/lists; see
//                                        make-pictures.sh there)
// Everything is drawn from gradients and shapes with fixed seeds, so every
// run gives the same files.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kPi = 3.14159265358979323846;

using Draw = std::function<void(QPainter&, QSizeF)>;

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void verticalGradient(QPainter& p, QSizeF s, const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, s.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(QPointF(0, 0), s), g);
}

// Bands of sand under a warm sky, each a wave of its own.
void amberDunes(QPainter& p, QSizeF s) {
    verticalGradient(p, s, QColor(0xf9, 0xd9, 0x8b), QColor(0xe0, 0x7a, 0x2f));
    const QColor far(0xe8, 0xa0, 0x4c), near(0x7a, 0x3b, 0x12);
    for (int band = 0; band < 7; ++band) {
        const double t = band / 6.0;
        const double base = s.height() * (0.42 + 0.09 * band);
        QPainterPath path(QPointF(0, s.height()));
        for (int x = 0; x <= 64; ++x) {
            const double fx = x / 64.0;
            const double y = base + std::sin(fx * kPi * (1.3 + band * 0.4) + band) * s.height() *
                                        (0.03 + 0.01 * band);
            path.lineTo(fx * s.width(), y);
        }
        path.lineTo(s.width(), s.height());
        path.closeSubpath();
        p.fillPath(path, mix(far, near, t));
    }
}

// A deep blue evening over dark hills, with a few bright points.
void blueHour(QPainter& p, QSizeF s) {
    verticalGradient(p, s, QColor(0x0b, 0x17, 0x3d), QColor(0x5b, 0x7f, 0xc7));
    QRandomGenerator rng(2);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        const QPointF c(rng.bounded(s.width()), rng.bounded(s.height() * 0.55));
        const double r = s.width() / 1920.0 * (0.8 + rng.bounded(2.2));
        p.setBrush(QColor(255, 255, 240, 110 + rng.bounded(140)));
        p.drawEllipse(c, r, r);
    }
    p.setBrush(QColor(0xf4, 0xf1, 0xde));
    p.drawEllipse(QPointF(s.width() * 0.78, s.height() * 0.22), s.height() * 0.06,
                  s.height() * 0.06);
    const QColor hills[] = {QColor(0x23, 0x31, 0x5e), QColor(0x16, 0x20, 0x42),
                            QColor(0x0a, 0x10, 0x24)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath path(QPointF(0, s.height()));
        for (int x = 0; x <= 48; ++x) {
            const double fx = x / 48.0;
            const double y =
                s.height() * (0.62 + 0.1 * layer) -
                std::fabs(std::sin(fx * kPi * (2 + layer) + layer * 1.7)) * s.height() * 0.12;
            path.lineTo(fx * s.width(), y);
        }
        path.lineTo(s.width(), s.height());
        path.closeSubpath();
        p.fillPath(path, hills[layer]);
    }
}

// Threads woven over and under: the program's namesake.
void copperWeave(QPainter& p, QSizeF s) {
    p.fillRect(QRectF(QPointF(0, 0), s), QColor(0x2b, 0x1a, 0x10));
    const double cell = s.height() / 12.0;
    const double band = cell * 0.7;
    const QColor warp(0xc8, 0x6b, 0x2e), weft(0x2f, 0x8f, 0x83);
    const int cols = int(std::ceil(s.width() / cell));
    const int rows = int(std::ceil(s.height() / cell));
    for (int pass = 0; pass < 2; ++pass) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const bool warpOver = (r + c) % 2 == 0;
                const bool drawWarp = (pass == 0) != warpOver;
                const double x = c * cell, y = r * cell;
                if (drawWarp) {
                    QLinearGradient g(x, 0, x + band, 0);
                    g.setColorAt(0, warp.darker(140));
                    g.setColorAt(0.5, warp.lighter(125));
                    g.setColorAt(1, warp.darker(140));
                    p.fillRect(QRectF(x + (cell - band) / 2, y, band, cell), g);
                } else {
                    QLinearGradient g(0, y, 0, y + band);
                    g.setColorAt(0, weft.darker(140));
                    g.setColorAt(0.5, weft.lighter(125));
                    g.setColorAt(1, weft.darker(140));
                    p.fillRect(QRectF(x, y + (cell - band) / 2, cell, band), g);
                }
            }
        }
    }
}

// Ripples spreading in clear water.
void deepLagoon(QPainter& p, QSizeF s) {
    QRadialGradient g(QPointF(s.width() * 0.35, s.height() * 0.4), s.width() * 0.8);
    g.setColorAt(0, QColor(0x6f, 0xe0, 0xd0));
    g.setColorAt(0.5, QColor(0x13, 0x8a, 0x9b));
    g.setColorAt(1, QColor(0x06, 0x2c, 0x4a));
    p.fillRect(QRectF(QPointF(0, 0), s), g);
    p.setBrush(Qt::NoBrush);
    const QPointF centres[] = {{s.width() * 0.35, s.height() * 0.4},
                               {s.width() * 0.75, s.height() * 0.7}};
    for (const QPointF& c : centres) {
        for (int i = 1; i <= 14; ++i) {
            QPen pen(QColor(255, 255, 255, 90 - i * 5));
            pen.setWidthF(s.height() / 360.0 * (3 - i * 0.15));
            p.setPen(pen);
            const double r = i * s.height() / 26.0;
            p.drawEllipse(c, r * 1.6, r);
        }
    }
}

// Ridge behind ridge in the haze of the evening.
void eveningRidges(QPainter& p, QSizeF s) {
    verticalGradient(p, s, QColor(0xf6, 0xc2, 0xa0), QColor(0xb3, 0x5f, 0x86));
    QRandomGenerator rng(5);
    const QColor far(0xc9, 0x86, 0x9a), near(0x3a, 0x1c, 0x3f);
    for (int layer = 0; layer < 6; ++layer) {
        const double t = layer / 5.0;
        QPainterPath path(QPointF(0, s.height()));
        double y = s.height() * (0.45 + 0.08 * layer);
        for (int x = 0; x <= 40; ++x) {
            y += (rng.generateDouble() - 0.5) * s.height() * 0.05;
            path.lineTo(x / 40.0 * s.width(), y);
        }
        path.lineTo(s.width(), s.height());
        path.closeSubpath();
        p.fillPath(path, mix(far, near, t));
    }
}

// Triangles in every green of a forest floor.
void forestMosaic(QPainter& p, QSizeF s) {
    QRandomGenerator rng(6);
    const int cols = 16, rows = 9;
    const double w = s.width() / cols, h = s.height() / rows;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QPointF a(c * w, r * h), b((c + 1) * w, r * h), d(c * w, (r + 1) * h),
                e((c + 1) * w, (r + 1) * h);
            for (int half = 0; half < 2; ++half) {
                const double t = (r + rng.generateDouble() * 3) / (rows + 3);
                QColor colour = mix(QColor(0x9c, 0xcf, 0x6a), QColor(0x1d, 0x4d, 0x2b), t);
                colour = colour.lighter(90 + rng.bounded(25));
                p.setBrush(colour);
                const QPointF tri[3] = {half == 0 ? a : e, b, d};
                p.drawPolygon(tri, 3);
            }
        }
    }
}

// Ice cut into facets.
void glacierFacets(QPainter& p, QSizeF s) {
    QRandomGenerator rng(7);
    const int cols = 12, rows = 7;
    std::vector<QPointF> points;
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c <= cols; ++c) {
            double x = c * s.width() / cols, y = r * s.height() / rows;
            if (c > 0 && c < cols)
                x += (rng.generateDouble() - 0.5) * s.width() / cols * 0.6;
            if (r > 0 && r < rows)
                y += (rng.generateDouble() - 0.5) * s.height() / rows * 0.6;
            points.emplace_back(x, y);
        }
    }
    auto at = [&](int r, int c) { return points[size_t(r * (cols + 1) + c)]; };
    p.setPen(QPen(QColor(255, 255, 255, 60), s.height() / 1080.0));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            for (int half = 0; half < 2; ++half) {
                const QPointF tri[3] = {at(r, c), half ? at(r + 1, c + 1) : at(r, c + 1),
                                        at(r + 1, c)};
                const QPointF tri2[3] = {at(r, c + 1), at(r + 1, c + 1), at(r + 1, c)};
                const double t = (double(c) / cols + double(r) / rows) / 2;
                QColor colour = mix(QColor(0xe6, 0xf4, 0xfb), QColor(0x2a, 0x6f, 0xa8), t);
                p.setBrush(colour.lighter(92 + rng.bounded(20)));
                p.drawPolygon(half ? tri2 : tri, 3);
            }
        }
    }
}

// Rings of a cut tree at harvest time.
void harvestRings(QPainter& p, QSizeF s) {
    p.fillRect(QRectF(QPointF(0, 0), s), QColor(0x5c, 0x2e, 0x0e));
    const QPointF centre(s.width() * 0.5, s.height() * 0.5);
    for (int i = 40; i >= 1; --i) {
        const double r = i * s.width() / 56.0;
        const double t = (i % 2 == 0 ? 0.2 : 0.7) + 0.25 * std::sin(i * 0.7);
        p.setPen(Qt::NoPen);
        p.setBrush(
            mix(QColor(0xf2, 0xb1, 0x4c), QColor(0xa4, 0x4b, 0x12), std::clamp(t, 0.0, 1.0)));
        p.drawEllipse(centre, r, r * 0.92);
    }
}

struct Sample {
    const char* name;
    Draw draw;
};

const std::vector<Sample>& samples() {
    static const std::vector<Sample> all = {
        {"Amber Dunes", amberDunes},       {"Blue Hour", blueHour},
        {"Copper Weave", copperWeave},     {"Deep Lagoon", deepLagoon},
        {"Evening Ridges", eveningRidges}, {"Forest Mosaic", forestMosaic},
        {"Glacier Facets", glacierFacets}, {"Harvest Rings", harvestRings},
    };
    return all;
}

QImage canvas(QSize size, const Draw& draw, bool transparent = false) {
    QImage image(size, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QSizeF(size));
    return image;
}

bool writeSamples(const QString& folder) {
    QDir().mkpath(folder);
    for (const Sample& s : samples()) {
        const QImage image = canvas(QSize(kWidth, kHeight), s.draw);
        const QString file = folder + u'/' + QString::fromLatin1(s.name) + QStringLiteral(".jpg");
        if (!image.save(file, "JPEG", 88))
            return false;
    }
    return true;
}

// The drop window's target: a framed picture of a landscape; lit, a glow and
// an arrow going in; refused, the same picture greyed and crossed out.
void dropPicture(QPainter& p, QSizeF s, int look) {
    const double u = s.width() / 50.0;
    const QRectF card(6 * u, 9 * u, 38 * u, 30 * u);
    const bool lit = look == 1, refused = look == 2;
    if (lit) {
        QRadialGradient glow(QPointF(25 * u, 25 * u), 25 * u);
        glow.setColorAt(0, QColor(255, 236, 140, 230));
        glow.setColorAt(1, QColor(255, 236, 140, 0));
        p.fillRect(QRectF(QPointF(0, 0), s), glow);
    }
    QLinearGradient sky(0, card.top(), 0, card.bottom());
    sky.setColorAt(0, refused ? QColor(0xb8, 0xb8, 0xb8) : QColor(0x2b, 0x6c, 0xb0));
    sky.setColorAt(1, refused ? QColor(0xdd, 0xdd, 0xdd) : QColor(0x9a, 0xd0, 0xf5));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(card, 3 * u, 3 * u);
    p.setBrush(refused ? QColor(0x88, 0x88, 0x88) : QColor(0x2f, 0x85, 0x5a));
    const QPointF hill[] = {{card.left(), card.bottom() - 3 * u},
                            {card.left() + 12 * u, card.top() + 14 * u},
                            {card.left() + 20 * u, card.top() + 21 * u},
                            {card.left() + 27 * u, card.top() + 16 * u},
                            {card.right(), card.bottom() - 3 * u},
                            {card.right(), card.bottom()},
                            {card.left(), card.bottom()}};
    p.save();
    p.setClipPath([&] {
        QPainterPath path;
        path.addRoundedRect(card, 3 * u, 3 * u);
        return path;
    }());
    p.drawPolygon(hill, 7);
    p.setBrush(refused ? QColor(0xf0, 0xf0, 0xf0) : QColor(0xfb, 0xd3, 0x8d));
    p.drawEllipse(QPointF(card.right() - 8 * u, card.top() + 8 * u), 3.5 * u, 3.5 * u);
    p.restore();
    const QColor edge = refused ? QColor(0x66, 0x66, 0x66)
                        : lit   ? QColor(0xf0, 0x9a, 0x1a)
                                : QColor(0x1a, 0x36, 0x5d);
    QPen frame(edge, (lit ? 3 : 2) * u);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card, 3 * u, 3 * u);
    if (lit) {
        // An arrow dropping into the picture.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd6, 0x5a, 0x12));
        const QPointF arrow[] = {{21 * u, 1 * u},  {29 * u, 1 * u},  {29 * u, 10 * u},
                                 {34 * u, 10 * u}, {25 * u, 19 * u}, {16 * u, 10 * u},
                                 {21 * u, 10 * u}};
        p.drawPolygon(arrow, 7);
    }
    if (refused) {
        QPen cross(QColor(0xc5, 0x22, 0x1f), 4.5 * u, Qt::SolidLine, Qt::RoundCap);
        p.setPen(cross);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(25 * u, 24 * u), 15 * u, 15 * u);
        p.drawLine(QPointF(14.5 * u, 34.5 * u), QPointF(35.5 * u, 13.5 * u));
    }
}

// The picture of the control panel's Add button: a picture with a plus.
void addPicture(QPainter& p, QSizeF s) {
    const double u = s.width() / 32.0;
    const QRectF card(2 * u, 6 * u, 22 * u, 18 * u);
    QLinearGradient sky(0, card.top(), 0, card.bottom());
    sky.setColorAt(0, QColor(0x2b, 0x6c, 0xb0));
    sky.setColorAt(1, QColor(0x9a, 0xd0, 0xf5));
    p.setPen(QPen(QColor(0x1a, 0x36, 0x5d), 1.5 * u));
    p.setBrush(sky);
    p.drawRoundedRect(card, 2 * u, 2 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x85, 0x5a));
    const QPointF hill[] = {{card.left() + u, card.bottom() - u},
                            {card.left() + 8 * u, card.top() + 8 * u},
                            {card.left() + 14 * u, card.bottom() - u}};
    p.drawPolygon(hill, 3);
    p.setBrush(QColor(0x2f, 0x9e, 0x3f));
    p.setPen(QPen(Qt::white, 1.5 * u));
    p.drawEllipse(QPointF(23 * u, 23 * u), 8 * u, 8 * u);
    p.setPen(QPen(Qt::white, 2.5 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23 * u, 18.5 * u), QPointF(23 * u, 27.5 * u));
    p.drawLine(QPointF(18.5 * u, 23 * u), QPointF(27.5 * u, 23 * u));
}

// A small control panel with files being dragged into its circled entry list.
void dragPicture(QPainter& p, QSizeF s) {
    const double u = s.width() / 160.0;
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), u));
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    const QRectF window(2 * u, 8 * u, 120 * u, 92 * u);
    p.drawRect(window);
    p.setBrush(QColor(0x1a, 0x36, 0x5d));
    p.drawRect(QRectF(window.left(), window.top(), window.width(), 9 * u));
    p.setBrush(Qt::white);
    const QRectF list(8 * u, 24 * u, 46 * u, 70 * u);
    p.drawRect(list);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbb, 0xbb, 0xbb));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(11 * u, (28 + i * 10) * u, 34 * u, 4 * u));
    p.setBrush(QColor(0x9a, 0xd0, 0xf5));
    p.drawRect(QRectF(62 * u, 24 * u, 54 * u, 40 * u));
    p.setPen(QPen(QColor(0xc5, 0x22, 0x1f), 2.5 * u));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(list.center(), 29 * u, 44 * u);
    // Two file cards on their way in.
    for (int i = 0; i < 2; ++i) {
        const QRectF file((126 + i * 8) * u, (30 + i * 8) * u, 22 * u, 28 * u);
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), u));
        p.setBrush(QColor(0xff, 0xfb, 0xe8));
        p.drawRect(file);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x85, 0x5a));
        p.drawRect(file.adjusted(3 * u, 12 * u, -3 * u, -3 * u));
    }
    p.setPen(QPen(QColor(0xd6, 0x5a, 0x12), 3 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(124 * u, 72 * u), QPointF(70 * u, 72 * u));
    p.drawLine(QPointF(70 * u, 72 * u), QPointF(78 * u, 66 * u));
    p.drawLine(QPointF(70 * u, 72 * u), QPointF(78 * u, 78 * u));
}

bool writePictures(const QString& folder) {
    QDir().mkpath(folder);
    struct Picture {
        QString name;
        QSize size;
        Draw draw;
    };
    const std::vector<Picture> pictures = {
        {QStringLiteral("drop-normal"),
         {50, 50},
         [](QPainter& p, QSizeF s) { dropPicture(p, s, 0); }},
        {QStringLiteral("drop-lit"), {50, 50}, [](QPainter& p, QSizeF s) { dropPicture(p, s, 1); }},
        {QStringLiteral("drop-refused"),
         {50, 50},
         [](QPainter& p, QSizeF s) { dropPicture(p, s, 2); }},
        {QStringLiteral("add-pictures"), {32, 32}, addPicture},
        {QStringLiteral("drag-to-panel"), {160, 104}, dragPicture},
        {QStringLiteral("sample-dunes"), {128, 72}, amberDunes},
        {QStringLiteral("sample-weave"), {128, 72}, copperWeave},
    };
    for (const Picture& pic : pictures) {
        for (int scale : {1, 2}) {
            const QImage image = canvas(pic.size * scale, pic.draw, true);
            const QString file = folder + u'/' + pic.name +
                                 (scale == 2 ? QStringLiteral("@2x") : QString()) +
                                 QStringLiteral(".png");
            if (!image.save(file, "PNG"))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 ||
        (args[1] != QStringLiteral("samples") && args[1] != QStringLiteral("pictures"))) {
        err << "usage: tapestrel-artwork samples|pictures <folder>\n";
        return 2;
    }
    const bool ok =
        args[1] == QStringLiteral("samples") ? writeSamples(args[2]) : writePictures(args[2]);
    if (!ok) {
        err << "cannot write into " << args[2] << "\n";
        return 1;
    }
    return 0;
}
