// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <functional>
#include <span>

#include "command/number_text.h"
#include "study/calc_output.h"
#include "study/grid.h"

namespace varnel {
namespace {

constexpr int kWidth = kPictureWidth;
constexpr int kHeight = kPictureHeight;

// Paints into the bytes of a PNG or an SVG file, whichever the path names.
std::string PaintBytes(const std::string& path, const std::function<void(QPainter&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (IsSvgPath(path)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(kWidth, kHeight));
        svg.setViewBox(QRect(0, 0, kWidth, kHeight));
        svg.setTitle("Varnel Coils");
        QPainter p(&svg);
        draw(p);
        p.end();
    } else {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        image.save(&buffer, "PNG");
    }
    const QByteArray& bytes = buffer.data();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Paints onto a PNG or an SVG file, whichever the path names.
void Paint(const std::string& path, const std::function<void(QPainter&)>& draw) {
    const std::string bytes = PaintBytes(path, draw);
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        throw IoError("cannot write " + path + ": " + file.errorString().toStdString());
    }
    file.close();
}

QFont Font(int pixels, bool bold = false) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A round step for about `ticks` ticks over a span.
double TickStep(double span, int ticks) {
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw)
            return m * power;
    }
    return 10 * power;
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

QString Millimetres(long double metres) {
    return Number(static_cast<double>(metres * 1000));
}

QString GeometryLine(const CalcRecord& r) {
    return QString("R1 = %1 mm, R2 = %2 mm, H = %3 mm, h = %4 mm, N = %5 turns per coil, I = %6 A")
        .arg(Millimetres(r.R1), Millimetres(r.R2), Millimetres(r.H), Millimetres(r.hh),
             QString::fromStdString(FormatNumber(r.N)), QString::fromStdString(FormatNumber(r.Id)));
}

// A plot frame mapping metres (or any unit) to pixels, y upwards.
struct Frame {
    QRectF area;
    double x0, x1, y0, y1;

    QPointF At(double x, double y) const {
        return {area.left() + (x - x0) / (x1 - x0) * area.width(),
                area.bottom() - (y - y0) / (y1 - y0) * area.height()};
    }

    void DrawAxes(QPainter& p, const QString& xLabel, const QString& yLabel, double unit) const {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area);
        p.setFont(Font(13));
        const double xs = TickStep((x1 - x0) * unit, 8), ys = TickStep((y1 - y0) * unit, 8);
        for (double t = std::ceil(x0 * unit / xs) * xs; t <= x1 * unit + 1e-9 * xs; t += xs) {
            const QPointF a = At(t / unit, y0);
            p.drawLine(a, a + QPointF(0, 5));
            p.drawText(QRectF(a.x() - 40, a.y() + 6, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                       Number(std::fabs(t) < 1e-12 * xs ? 0 : t));
        }
        for (double t = std::ceil(y0 * unit / ys) * ys; t <= y1 * unit + 1e-9 * ys; t += ys) {
            const QPointF a = At(x0, t / unit);
            p.drawLine(a, a - QPointF(5, 0));
            p.drawText(QRectF(a.x() - 70, a.y() - 9, 62, 18), Qt::AlignRight | Qt::AlignVCenter,
                       Number(std::fabs(t) < 1e-12 * ys ? 0 : t));
        }
        p.setFont(Font(14));
        p.drawText(QRectF(area.left(), area.bottom() + 26, area.width(), 20), Qt::AlignHCenter,
                   xLabel);
        p.save();
        p.translate(area.left() - 62, area.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-area.height() / 2, -20, area.height(), 20), Qt::AlignHCenter, yLabel);
        p.restore();
    }
};

struct Band {
    double limit;  // |deviation| up to this
    QColor colour;
    const char* label;
};

const Band kBands[] = {
    {1e-4, QColor(0, 104, 55), "within 0.01 %"},   {1e-3, QColor(102, 189, 99), "within 0.1 %"},
    {1e-2, QColor(255, 224, 102), "within 1 %"},   {1e-1, QColor(244, 109, 67), "within 10 %"},
    {INFINITY, QColor(165, 0, 38), "beyond 10 %"},
};
const QColor kNoValue(200, 200, 200);

QColor BandColour(const FieldPoint& p) {
    if (!p.status.empty())
        return kNoValue;
    const double d = std::fabs(static_cast<double>(p.deviation));
    for (const Band& band : kBands) {
        if (d <= band.limit)
            return band.colour;
    }
    return kBands[4].colour;
}

// A winding's cross-section, crossed corner to corner as on a drawing.
void DrawWinding(QPainter& p, const Frame& f, const CalcRecord& r, double zCentre) {
    const QRectF box(f.At(static_cast<double>(r.R1), zCentre + static_cast<double>(r.H) / 2),
                     f.At(static_cast<double>(r.R2), zCentre - static_cast<double>(r.H) / 2));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

// Scales the canvas onto `area` for the length of a drawing.
class CanvasScope {
  public:
    CanvasScope(QPainter& p, const QRectF& area, QSizeF canvas) : p_(p) {
        p_.save();
        p_.translate(area.topLeft());
        p_.scale(area.width() / canvas.width(), area.height() / canvas.height());
    }
    ~CanvasScope() { p_.restore(); }
    CanvasScope(const CanvasScope&) = delete;
    CanvasScope& operator=(const CanvasScope&) = delete;

  private:
    QPainter& p_;
};

const QRectF kCanvas(0, 0, kWidth, kHeight);

}  // namespace

namespace {

// Round values (1, 2 or 5 times a power of ten) from `low` to `high`: about five evenly
// spaced on a linear scale; on a logarithmic one 1, 2 and 5 of each decade, or only the
// decades where they would crowd.
std::vector<double> ScaleTicks(double low, double high, bool log) {
    std::vector<double> ticks;
    if (!(high > low))
        return ticks;
    if (!log) {
        const double step = TickStep(high - low, 5);
        for (double t = std::ceil(low / step) * step; t <= high * (1 + 1e-9); t += step)
            ticks.push_back(std::fabs(t) < 1e-9 * step ? 0 : t);
        return ticks;
    }
    const bool crowded = std::log10(high / low) > 4;
    for (double decade = std::pow(10.0, std::floor(std::log10(low))); decade <= high;
         decade *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            if (crowded && m != 1)
                continue;
            const double t = m * decade;
            if (t >= low * (1 - 1e-9) && t <= high * (1 + 1e-9))
                ticks.push_back(t);
        }
    }
    return ticks;
}

// Where a map's cells may go: room for the title above, the tick labels and axis names on the
// left and below, the key on the right.
QRectF MapRoom(const MapStyle& style) {
    const QSizeF c = style.canvas;
    return QRectF(90, 80, std::max(1.0, c.width() - 90 - 250), std::max(1.0, c.height() - 80 - 70));
}

// The frame of a map on the canvas: the same scale on both axes, so the coils keep their shape.
Frame MapFrame(const MapPicture& picture) {
    const GridRange& x = picture.x;
    const GridRange& z = picture.z;
    const double xs = static_cast<double>(x.start), xe = static_cast<double>(x.stop);
    const double zs = static_cast<double>(z.start), ze = static_cast<double>(z.stop);
    const double dx = x.count > 1 ? (xe - xs) / (x.count - 1) : 1e-3;
    const double dz = z.count > 1 ? (ze - zs) / (z.count - 1) : 1e-3;
    const double x0 = xs - dx / 2, x1 = xe + dx / 2, z0 = zs - dz / 2, z1 = ze + dz / 2;
    const QRectF room = MapRoom(picture.style);
    const double scale = std::min(room.width() / (x1 - x0), room.height() / (z1 - z0));
    return Frame{QRectF(room.left(), room.top(), (x1 - x0) * scale, (z1 - z0) * scale), x0, x1, z0,
                 z1};
}

// The |B| scale: from `bottom` to `top`, T, on a linear or a logarithmic axis.
struct ModulusScale {
    double bottom = 0, top = 1;
    bool log = false;

    // Where b falls on the scale, 0 at the bottom and 1 at the top.
    double Position(double b) const {
        if (log)
            return std::log(std::max(b, bottom) / bottom) / std::log(top / bottom);
        return (b - bottom) / (top - bottom);
    }
};

const QColor kModulusStops[] = {QColor(48, 18, 59),   QColor(65, 105, 225), QColor(33, 190, 170),
                                QColor(150, 215, 70), QColor(250, 220, 50), QColor(240, 100, 30)};
const QColor kAboveScale(120, 0, 30);

// |B| from blue through green to yellow as it rises to the scale's top, dark red above.
QColor ModulusColour(double b, const ModulusScale& scale) {
    if (!(b <= scale.top))
        return kAboveScale;
    const QColor* stops = kModulusStops;
    const double t = std::clamp(scale.Position(b), 0.0, 1.0) * 5;
    const int i = std::min(4, static_cast<int>(t));
    const double f = t - i;
    const QColor& a = stops[i];
    const QColor& c = stops[i + 1];
    return QColor::fromRgbF(static_cast<float>(a.redF() + (c.redF() - a.redF()) * f),
                            static_cast<float>(a.greenF() + (c.greenF() - a.greenF()) * f),
                            static_cast<float>(a.blueF() + (c.blueF() - a.blueF()) * f));
}

bool InWinding(const CalcRecord& r, double x, double z) {
    const double offset = static_cast<double>(r.H / 2 + r.hh / 2);
    return x >= static_cast<double>(r.R1) && x <= static_cast<double>(r.R2) &&
           std::fabs(std::fabs(z) - offset) <= static_cast<double>(r.H) / 2;
}

const double kContourLevels[] = {1e-4, 1e-3, 1e-2, 1e-1};

// The lines where |deviation| crosses each level, by marching squares over the grid's cells
// with the crossing placed by linear interpolation along each edge.
void DrawContours(QPainter& p, const Frame& f, const MapPicture& picture) {
    const int nx = picture.x.count, nz = picture.z.count;
    if (nx < 2 || nz < 2 || picture.points.size() < static_cast<std::size_t>(nx) * nz)
        return;
    auto at = [&](int i, int j) -> const FieldPoint& {
        return picture.points[static_cast<std::size_t>(i) * nz + j];
    };
    const double xs = static_cast<double>(picture.x.start),
                 zs = static_cast<double>(picture.z.start);
    const double dx = static_cast<double>(picture.x.stop - picture.x.start) / (nx - 1);
    const double dz = static_cast<double>(picture.z.stop - picture.z.start) / (nz - 1);
    for (const double level : kContourLevels) {
        QVector<QLineF> lines;
        for (int i = 0; i + 1 < nx; ++i) {
            for (int j = 0; j + 1 < nz; ++j) {
                const FieldPoint* c[4] = {&at(i, j), &at(i + 1, j), &at(i + 1, j + 1),
                                          &at(i, j + 1)};
                double v[4];
                bool ok = true;
                for (int k = 0; k < 4; ++k) {
                    ok = ok && c[k]->status.empty();
                    v[k] = std::fabs(static_cast<double>(c[k]->deviation)) - level;
                }
                if (!ok)
                    continue;
                // Corners counter-clockwise from (i, j); where the sign changes along an edge.
                const double cx[4] = {0, 1, 1, 0}, cz[4] = {0, 0, 1, 1};
                QPointF cross[4];
                int count = 0;
                for (int k = 0; k < 4; ++k) {
                    const int m = (k + 1) % 4;
                    if ((v[k] < 0) == (v[m] < 0))
                        continue;
                    const double t = v[k] / (v[k] - v[m]);
                    const double ex = cx[k] + (cx[m] - cx[k]) * t;
                    const double ez = cz[k] + (cz[m] - cz[k]) * t;
                    cross[count++] = f.At(xs + (i + ex) * dx, zs + (j + ez) * dz);
                }
                if (count >= 2)
                    lines.append(QLineF(cross[0], cross[1]));
                if (count == 4)
                    lines.append(QLineF(cross[2], cross[3]));
            }
        }
        p.setPen(QPen(QColor(20, 20, 20), level <= 1e-4 ? 1.0 : 1.5));
        p.drawLines(lines);
    }
}

// The field lines: contours of psi = r A_phi, drawn in the white of the key's sample.
void DrawFieldLines(QPainter& p, const Frame& f, const MapPicture& picture) {
    QPen pen(QColor(255, 255, 255, 190), 1.2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const FieldLine& line : FieldLinesOf(picture)) {
        QPainterPath path;
        for (const QLineF& s : line.segments) {
            path.moveTo(f.At(s.x1(), s.y1()));
            path.lineTo(f.At(s.x2(), s.y2()));
        }
        p.drawPath(path);
    }
}

}  // namespace

std::vector<FieldLine> FieldLinesOf(const MapPicture& picture) {
    std::vector<FieldLine> lines;
    const int nx = picture.x.count, nz = picture.z.count;
    const double step = std::fabs(picture.fluxStep);
    if (nx < 2 || nz < 2 || !(step > 0) ||
        picture.flux.size() < static_cast<std::size_t>(nx) * static_cast<std::size_t>(nz))
        return lines;
    auto psi = [&](int i, int j) {
        return picture.flux[static_cast<std::size_t>(i) * static_cast<std::size_t>(nz) +
                            static_cast<std::size_t>(j)];
    };
    // The slopes of psi from the field at the cells: d psi/dx = x Bz, d psi/dz = -x Bx.
    const bool slopes = picture.points.size() == picture.flux.size();
    auto gradX = [&](int i, int j) {
        if (!slopes)
            return std::nan("");
        const FieldPoint& pt =
            picture.points[static_cast<std::size_t>(i) * static_cast<std::size_t>(nz) +
                           static_cast<std::size_t>(j)];
        return pt.status.empty() ? static_cast<double>(pt.x * pt.field.axial) : std::nan("");
    };
    auto gradZ = [&](int i, int j) {
        if (!slopes)
            return std::nan("");
        const FieldPoint& pt =
            picture.points[static_cast<std::size_t>(i) * static_cast<std::size_t>(nz) +
                           static_cast<std::size_t>(j)];
        return pt.status.empty() ? static_cast<double>(-pt.x * pt.field.radial) : std::nan("");
    };
    const auto [low, high] = std::minmax_element(picture.flux.begin(), picture.flux.end());
    // Whole multiples of the step, which the design alone sets: the same lines in any view.
    // psi = 0 is the axis itself.
    const long long first = static_cast<long long>(std::ceil(*low / step));
    const long long last = static_cast<long long>(std::floor(*high / step));
    constexpr long long kMostLines = 400;  // a view zoomed far out shows a crowd, not a blot
    if (last - first > kMostLines)
        return lines;
    const double x0 = static_cast<double>(picture.x.start),
                 z0 = static_cast<double>(picture.z.start);
    const double dx = (static_cast<double>(picture.x.stop) - x0) / (nx - 1);
    const double dz = (static_cast<double>(picture.z.stop) - z0) / (nz - 1);
    for (long long k = first; k <= last; ++k) {
        if (k == 0)
            continue;
        FieldLine line;
        line.psi = static_cast<double>(k) * step;
        const double level = line.psi;
        // Marching squares: in each cell, the points where psi crosses the level on its edges,
        // joined in pairs.
        for (int i = 0; i + 1 < nx; ++i) {
            for (int j = 0; j + 1 < nz; ++j) {
                const int ci[4] = {i, i + 1, i + 1, i};
                const int cj[4] = {j, j, j + 1, j + 1};
                double v[4], cx[4], cz[4], gx[4], gz[4];
                for (int c = 0; c < 4; ++c) {
                    v[c] = psi(ci[c], cj[c]);
                    cx[c] = x0 + ci[c] * dx;
                    cz[c] = z0 + cj[c] * dz;
                    gx[c] = gradX(ci[c], cj[c]);
                    gz[c] = gradZ(ci[c], cj[c]);
                }
                QPointF cross[4];
                int count = 0;
                for (int e = 0; e < 4; ++e) {
                    const int a = e, b = (e + 1) % 4;
                    if ((v[a] >= level) != (v[b] >= level)) {
                        // Along the edge psi is the cubic through its ends' values and slopes
                        // (the field gives the slopes); its crossing by bisection.
                        const double ex = cx[b] - cx[a], ez = cz[b] - cz[a];
                        // Without the field there (none given, or no value), the secant: linear.
                        double sa = gx[a] * ex + gz[a] * ez, sb = gx[b] * ex + gz[b] * ez;
                        if (!std::isfinite(sa) || !std::isfinite(sb))
                            sa = sb = v[b] - v[a];
                        auto cubic = [&](double t) {
                            const double t2 = t * t, t3 = t2 * t;
                            return (2 * t3 - 3 * t2 + 1) * v[a] + (t3 - 2 * t2 + t) * sa +
                                   (-2 * t3 + 3 * t2) * v[b] + (t3 - t2) * sb - level;
                        };
                        double lo = 0, hi = 1;
                        const bool rising = v[b] >= level;
                        for (int n = 0; n < 40; ++n) {
                            const double mid = (lo + hi) / 2;
                            ((cubic(mid) >= 0) == rising ? hi : lo) = mid;
                        }
                        const double t = (lo + hi) / 2;
                        cross[count++] = QPointF(cx[a] + t * ex, cz[a] + t * ez);
                    }
                }
                if (count == 2) {
                    line.segments.emplace_back(cross[0], cross[1]);
                } else if (count == 4) {
                    // A saddle: the centre's value says which corners the lines part.
                    const double centre = (v[0] + v[1] + v[2] + v[3]) / 4;
                    if ((centre >= level) == (v[0] >= level)) {
                        line.segments.emplace_back(cross[0], cross[3]);
                        line.segments.emplace_back(cross[1], cross[2]);
                    } else {
                        line.segments.emplace_back(cross[0], cross[1]);
                        line.segments.emplace_back(cross[2], cross[3]);
                    }
                }
            }
        }
        if (!line.segments.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

MapLayout LayoutOfMap(const QRectF& area, const MapPicture& picture) {
    const Frame f = MapFrame(picture);
    const QSizeF c = picture.style.canvas;
    const double sx = area.width() / c.width(), sy = area.height() / c.height();
    MapLayout layout;
    layout.cells = QRectF(area.left() + f.area.left() * sx, area.top() + f.area.top() * sy,
                          f.area.width() * sx, f.area.height() * sy);
    layout.x0 = f.x0;
    layout.x1 = f.x1;
    layout.z0 = f.y0;
    layout.z1 = f.y1;
    return layout;
}

QRectF DrawnPartOfMap(const MapPicture& picture) {
    const Frame f = MapFrame(picture);
    const MapStyle& style = picture.style;
    const MapTexts& t = style.texts;
    // Tick labels stand 9 units above the cells and the axis name ends 46 below them.
    const double top = style.title ? 0 : f.area.top() - 14;
    double right = f.area.right() + 12, bottom = f.area.bottom() + 50;
    if (style.key) {
        double widest = QFontMetricsF(Font(14, true))
                            .horizontalAdvance(style.colour == MapColour::Modulus ? t.modulusKey
                                                                                  : t.deviationKey);
        const QFontMetricsF metrics(Font(13));
        QStringList entries = {t.noValue,    t.winding, t.contours,
                               t.fieldLines, t.sphere,  QStringLiteral("> 0000.00")};
        for (const QString& band : t.bands)
            entries << band;
        for (const QString& entry : entries)
            widest = std::max(widest, 38 + metrics.horizontalAdvance(entry));
        right = f.area.right() + 30 + widest + 12;
        bottom = std::max(bottom, 80.0 + 430);  // the key's last entry with an |B| scale
    }
    return QRectF(0, top, std::min(style.canvas.width(), right),
                  std::min(style.canvas.height(), bottom) - top);
}

void PaintMap(QPainter& p, const QRectF& canvasArea, const MapPicture& picture) {
    const CalcRecord& r = picture.rec;
    const std::vector<FieldPoint>& points = picture.points;
    const GridRange& x = picture.x;
    const GridRange& z = picture.z;
    const MapStyle& style = picture.style;
    const MapTexts& texts = style.texts;
    const CanvasScope canvas(p, canvasArea, style.canvas);
    const double width = style.canvas.width();
    p.fillRect(QRectF(QPointF(0, 0), style.canvas), Qt::white);
    const Frame f = MapFrame(picture);
    const QRectF& area = f.area;
    const QRectF room = MapRoom(style);
    const double xs = static_cast<double>(x.start), xe = static_cast<double>(x.stop);
    const double zs = static_cast<double>(z.start), ze = static_cast<double>(z.stop);
    const double dx = x.count > 1 ? (xe - xs) / (x.count - 1) : 1e-3;
    const double dz = z.count > 1 ? (ze - zs) / (z.count - 1) : 1e-3;
    const bool modulus = style.colour == MapColour::Modulus;
    // The |B| scale: up to the style's top, or the strongest field outside the windings,
    // where it peaks; a logarithmic one spans three decades below its top unless told.
    ModulusScale scale;
    if (modulus) {
        double top = static_cast<double>(style.modulusTop);
        if (!(top > 0)) {
            top = 0;
            for (const FieldPoint& pt : points) {
                if (pt.status.empty() &&
                    !InWinding(r, static_cast<double>(pt.x), static_cast<double>(pt.z)))
                    top = std::max(top, static_cast<double>(pt.field.modulus));
            }
        }
        if (!(top > 0))
            top = 1;
        scale.top = top;
        scale.log = style.logScale;
        const double bottom = static_cast<double>(style.modulusBottom);
        scale.bottom = scale.log ? (bottom > 0 && bottom < top ? bottom : top / 1000)
                                 : (bottom >= 0 && bottom < top ? bottom : 0);
    }

    // No seams between cells: on a screen and in a PNG the cells are one image, a pixel each,
    // stretched over their rectangle; in an SVG (where an embedded image would be opaque
    // bytes) each column's runs of one colour are one rectangle, each overlapping the next by
    // a little, so that a viewer's antialiasing leaves no hairline between them.
    p.save();
    p.setClipRect(area);
    const std::size_t nzCells = static_cast<std::size_t>(std::max(1, z.count));
    if (x.count >= 1 && z.count >= 1 &&
        points.size() >= static_cast<std::size_t>(x.count) * nzCells) {
        auto colourOf = [&](const FieldPoint& pt) {
            return modulus ? (pt.status.empty()
                                  ? ModulusColour(static_cast<double>(pt.field.modulus), scale)
                                  : kNoValue)
                           : BandColour(pt);
        };
        const bool svg = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::SVG;
        if (svg) {
            p.setRenderHint(QPainter::Antialiasing, false);
            constexpr double kOverlap = 0.6;  // canvas units
            for (int i = 0; i < x.count; ++i) {
                const double px = static_cast<double>(x.At(i));
                const FieldPoint* column = points.data() + static_cast<std::size_t>(i) * nzCells;
                for (int j = 0; j < z.count;) {
                    const QColor colour = colourOf(column[j]);
                    int k = j + 1;
                    while (k < z.count && colourOf(column[k]) == colour)
                        ++k;
                    const QRectF run(f.At(px - dx / 2, static_cast<double>(z.At(k - 1)) + dz / 2),
                                     f.At(px + dx / 2, static_cast<double>(z.At(j)) - dz / 2));
                    p.fillRect(run.adjusted(0, 0, kOverlap, kOverlap), colour);
                    j = k;
                }
            }
        } else {
            QImage cells(x.count, z.count, QImage::Format_RGB32);
            for (std::size_t k = 0; k < points.size(); ++k) {
                const int i = static_cast<int>(k / nzCells);
                const int j = static_cast<int>(k % nzCells);
                cells.setPixel(i, z.count - 1 - j, colourOf(points[k]).rgb());  // z upwards
            }
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(QRectF(f.At(xs - dx / 2, ze + dz / 2), f.At(xe + dx / 2, zs - dz / 2)),
                        cells);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    if (style.fieldLines)
        DrawFieldLines(p, f, picture);
    if (style.contours)
        DrawContours(p, f, picture);
    if (style.sphere > 0) {
        const double s = static_cast<double>(style.sphere);
        p.setPen(QPen(QColor(0, 60, 200), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(f.At(-s, s), f.At(s, -s)));
    }
    if (style.windings) {
        const double offset = static_cast<double>(r.H / 2 + r.hh / 2);
        DrawWinding(p, f, r, offset);
        DrawWinding(p, f, r, -offset);
        p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
        p.drawLine(f.At(0, f.y0), f.At(0, f.y1));  // the axis
    }
    p.restore();
    f.DrawAxes(p, texts.xAxis, texts.zAxis, 1000);

    if (style.title) {
        p.setFont(Font(18, true));
        p.drawText(QRectF(20, 12, width - 40, 26), Qt::AlignLeft,
                   modulus ? QString::fromUtf8("Flux density |B|")
                           : QString::fromUtf8("Uniformity of the field: |B| / B0d − 1"));
        p.setFont(Font(13));
        p.drawText(
            QRectF(20, 40, width - 40, 20), Qt::AlignLeft,
            GeometryLine(r) +
                QString(", B0d = %1 T").arg(QString::fromStdString(FormatNumber(picture.centre))));
    }
    if (!style.key)
        return;

    // The colour key.
    const double keyLeft = area.right() + 30;
    p.setPen(QPen(Qt::black, 1));
    p.setFont(Font(14, true));
    p.drawText(QPointF(keyLeft, room.top() + 14), modulus ? texts.modulusKey : texts.deviationKey);
    p.setFont(Font(13));
    double top2 = room.top() + 30;
    if (modulus) {
        // One gradient, so no seams between bands of the bar, with round ticks (1, 2, 5).
        // 200 units tall where the canvas has room, shorter on a small one so that the key's
        // last entry stays on it.
        const QRectF bar(keyLeft, top2, 28, std::clamp(style.canvas.height() - 312, 100.0, 200.0));
        QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
        if (scale.log) {
            for (int k = 0; k <= 40; ++k) {
                const double b = scale.bottom * std::pow(scale.top / scale.bottom, k / 40.0);
                gradient.setColorAt(k / 40.0, ModulusColour(b, scale));
            }
        } else {
            for (int k = 0; k <= 5; ++k)
                gradient.setColorAt(k / 5.0, kModulusStops[k]);
        }
        p.fillRect(bar, gradient);
        p.setBrush(Qt::NoBrush);
        p.drawRect(bar);
        const double mt = 1000;
        auto tick = [&](double b) {
            const double y = bar.bottom() - bar.height() * scale.Position(b);
            p.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
            p.drawText(QRectF(keyLeft + 36, y - 9, 120, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       Number(b * mt));
        };
        for (const double b : ScaleTicks(scale.bottom * mt, scale.top * mt, scale.log))
            tick(b / mt);
        top2 = bar.bottom() + 16;
        p.setBrush(kAboveScale);
        p.drawRect(QRectF(keyLeft, top2, 28, 20));
        p.drawText(QPointF(keyLeft + 38, top2 + 15), QStringLiteral("> ") + Number(scale.top * mt));
        top2 += 28;
    } else {
        for (int k = 0; k < 5; ++k) {
            p.setBrush(kBands[k].colour);
            p.drawRect(QRectF(keyLeft, top2, 28, 20));
            p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.bands[k]);
            top2 += 28;
        }
    }
    p.setBrush(kNoValue);
    p.drawRect(QRectF(keyLeft, top2, 28, 20));
    p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.noValue);
    top2 += 44;
    p.setBrush(Qt::NoBrush);
    const QRectF sample(keyLeft, top2, 28, 20);
    p.drawRect(sample);
    p.drawLine(sample.topLeft(), sample.bottomRight());
    p.drawLine(sample.topRight(), sample.bottomLeft());
    p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.winding);
    if (style.contours) {
        top2 += 28;
        p.setPen(QPen(QColor(20, 20, 20), 1.5));
        p.drawLine(QPointF(keyLeft, top2 + 10), QPointF(keyLeft + 28, top2 + 10));
        p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.contours);
    }
    if (style.fieldLines) {
        top2 += 28;
        p.fillRect(QRectF(keyLeft, top2, 28, 20), QColor(90, 90, 90));
        p.setPen(QPen(QColor(255, 255, 255), 1.2));
        p.drawLine(QPointF(keyLeft + 2, top2 + 10), QPointF(keyLeft + 26, top2 + 10));
        p.setPen(Qt::black);
        p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.fieldLines);
    }
    if (style.sphere > 0) {
        top2 += 28;
        p.setPen(QPen(QColor(0, 60, 200), 2, Qt::DashLine));
        p.drawLine(QPointF(keyLeft, top2 + 10), QPointF(keyLeft + 28, top2 + 10));
        p.setPen(Qt::black);
        p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.sphere);
    }
}

double ProfilePosition(const ProfilePicture& picture, const FieldPoint& pt) {
    if (picture.slanted) {
        return static_cast<double>(
            ((pt.x - picture.lineX) * picture.lineUx + (pt.z - picture.lineZ) * picture.lineUz) *
            1000);
    }
    return static_cast<double>(picture.alongZ ? pt.z : pt.x) * 1000;
}

std::optional<ProfileFrame> FrameOfProfile(const ProfilePicture& picture) {
    const ProfileStyle& style = picture.style;
    const bool deviation = style.deviationScale > 0;
    double s0 = INFINITY, s1 = -INFINITY, b0 = 0, b1 = 0;
    const bool window = style.to > style.from;
    for (const FieldPoint& pt : picture.points) {
        if (!pt.status.empty())
            continue;
        const double s = ProfilePosition(picture, pt);
        if (window && (s < style.from || s > style.to))
            continue;
        s0 = std::min(s0, s);
        s1 = std::max(s1, s);
        if (deviation) {
            const double v = static_cast<double>(pt.deviation) * style.deviationScale;
            b0 = std::min(b0, v);
            b1 = std::max(b1, v);
            continue;
        }
        for (long double v : {pt.field.modulus, pt.field.axial, pt.field.radial}) {
            b0 = std::min(b0, static_cast<double>(v) * 1000);
            b1 = std::max(b1, static_cast<double>(v) * 1000);
        }
    }
    if (!std::isfinite(s0))
        return std::nullopt;
    if (window) {
        s0 = style.from;
        s1 = style.to;
    }
    if (!(s1 > s0))
        s1 = s0 + 1;
    if (!(b1 > b0))
        b1 = b0 + 1;
    const double pad = (b1 - b0) * 0.05;
    // Room on the left for the value ticks and on the right for the legend; the plot takes
    // the rest.
    const double top = style.title ? 80 : 24;
    return ProfileFrame{QRectF(100, top, std::max(1.0, style.canvas.width() - 100 - 200),
                               std::max(1.0, style.canvas.height() - top - 80)),
                        s0, s1, b0 - pad, b1 + pad};
}

void PaintProfile(QPainter& p, const QRectF& canvasArea, const ProfilePicture& picture) {
    const std::vector<FieldPoint>& points = picture.points;
    const bool alongZ = picture.alongZ;
    const ProfileStyle& style = picture.style;
    const CanvasScope canvas(p, canvasArea, style.canvas);
    const double width = style.canvas.width(), height = style.canvas.height();
    p.fillRect(QRectF(QPointF(0, 0), style.canvas), Qt::white);
    const std::optional<ProfileFrame> frame = FrameOfProfile(picture);
    const ProfileFrame pf =
        frame.value_or(ProfileFrame{QRectF(100, 80, width - 300, height - 160), 0, 1, 0, 1});
    const Frame f{pf.area, pf.s0, pf.s1, pf.v0, pf.v1};
    const double s0 = pf.s0, s1 = pf.s1;
    struct Curve {
        QString name;
        long double FieldValues::*member;  // none: the deviation
        QColor colour;
    };
    // |B| last and dashed: along the axis it lies on Bz.
    const Curve components[] = {{style.curveNames[0], &FieldValues::axial, QColor(31, 119, 180)},
                                {style.curveNames[1], &FieldValues::radial, QColor(214, 39, 40)},
                                {style.curveNames[2], &FieldValues::modulus, QColor(20, 20, 20)}};
    const Curve deviationCurve[] = {{style.deviationName, nullptr, QColor(20, 120, 60)}};
    const bool deviation = style.deviationScale > 0;
    const std::span<const Curve> curves =
        deviation ? std::span<const Curve>(deviationCurve) : std::span<const Curve>(components);
    auto valueOf = [&](const FieldPoint& pt, const Curve& c) {
        return c.member ? static_cast<double>(pt.field.*c.member) * 1000
                        : static_cast<double>(pt.deviation) * style.deviationScale;
    };
    p.save();
    p.setClipRect(f.area);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
    p.drawLine(f.At(s0, 0), f.At(s1, 0));
    for (const Curve& c : curves) {
        QPainterPath line;
        bool started = false;
        for (const FieldPoint& pt : points) {
            if (!pt.status.empty()) {
                started = false;
                continue;
            }
            const QPointF q = f.At(ProfilePosition(picture, pt), valueOf(pt, c));
            started ? line.lineTo(q) : line.moveTo(q);
            started = true;
        }
        p.setPen(
            QPen(c.colour, 2, c.member == &FieldValues::modulus ? Qt::DashLine : Qt::SolidLine));
        p.drawPath(line);
    }
    p.setPen(QPen(QColor(0, 60, 200), 1.5, Qt::DashLine));
    for (const long double mark : style.marks) {
        const double s = static_cast<double>(mark) * 1000;
        p.drawLine(f.At(s, f.y0), f.At(s, f.y1));
    }
    p.restore();
    f.DrawAxes(p,
               !style.axisLabel.isEmpty() ? style.axisLabel
               : alongZ                   ? QStringLiteral("z (axial), mm")
                                          : QStringLiteral("x (radial), mm"),
               style.valueLabel, 1);

    if (style.title) {
        p.setFont(Font(18, true));
        p.drawText(QRectF(20, 12, width - 40, 26), Qt::AlignLeft,
                   QString("Flux density along %1 at %2 = %3 mm")
                       .arg(alongZ ? "z" : "x", alongZ ? "x" : "z", Millimetres(picture.at)));
        p.setFont(Font(13));
        p.drawText(QRectF(20, 40, width - 40, 20), Qt::AlignLeft, GeometryLine(picture.rec));
    }
    if (!style.legend)
        return;
    double top = f.area.top() + 10;
    for (const Curve& c : curves) {
        p.setPen(
            QPen(c.colour, 3, c.member == &FieldValues::modulus ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(QPointF(f.area.right() + 30, top + 8), QPointF(f.area.right() + 60, top + 8));
        p.setPen(Qt::black);
        p.drawText(QPointF(f.area.right() + 70, top + 13), c.name);
        top += 26;
    }
    if (!style.marks.empty() && !style.marksLabel.isEmpty()) {
        p.setPen(QPen(QColor(0, 60, 200), 1.5, Qt::DashLine));
        p.drawLine(QPointF(f.area.right() + 30, top + 8), QPointF(f.area.right() + 60, top + 8));
        p.setPen(Qt::black);
        p.drawText(QRectF(f.area.right() + 70, top, 130, 60), Qt::TextWordWrap, style.marksLabel);
    }
}

void WriteMap(const MapPicture& picture, const std::string& path) {
    Paint(path, [&](QPainter& p) { PaintMap(p, kCanvas, picture); });
}

void WriteProfile(const ProfilePicture& picture, const std::string& path) {
    Paint(path, [&](QPainter& p) { PaintProfile(p, kCanvas, picture); });
}

std::string MapFileBytes(const MapPicture& picture, const std::string& path) {
    return PaintBytes(path, [&](QPainter& p) { PaintMap(p, kCanvas, picture); });
}

std::string ProfileFileBytes(const ProfilePicture& picture, const std::string& path) {
    return PaintBytes(path, [&](QPainter& p) { PaintProfile(p, kCanvas, picture); });
}

}  // namespace varnel
