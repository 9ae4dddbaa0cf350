// SPDX-License-Identifier: GPL-3.0-or-later
// The map: the field's cells coloured, its contours and field lines, the windings and the key.
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "command/number_text.h"
#include "plot/circle_arcs.h"
#include "plot/picture_axes.h"
#include "plot/pictures.h"

namespace varnel {
namespace {

using namespace drawing;

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

// The grid's first and last points and its steps (1 mm where it has one point only).
struct GridSpan {
    double xs, xe, zs, ze, dx, dz;
};

GridSpan SpanOf(const MapPicture& picture) {
    const GridRange& x = picture.x;
    const GridRange& z = picture.z;
    const double xs = static_cast<double>(x.start), xe = static_cast<double>(x.stop);
    const double zs = static_cast<double>(z.start), ze = static_cast<double>(z.stop);
    return {xs,
            xe,
            zs,
            ze,
            x.count > 1 ? (xe - xs) / (x.count - 1) : 1e-3,
            z.count > 1 ? (ze - zs) / (z.count - 1) : 1e-3};
}

// Where a map's cells may go: room for the title above, the tick labels and axis names on the
// left and below, the key on the right.
QRectF MapRoom(const MapStyle& style) {
    const QSizeF c = style.canvas;
    return QRectF(90, 80, std::max(1.0, c.width() - 90 - 250), std::max(1.0, c.height() - 80 - 70));
}

// The frame of a map on the canvas: the same scale on both axes, so the coils keep their shape.
Frame MapFrame(const MapPicture& picture) {
    const auto [xs, xe, zs, ze, dx, dz] = SpanOf(picture);
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

namespace {

// The flux function on the map's grid, with its slopes from the field at the cells:
// d psi/dx = x Bz, d psi/dz = -x Bx (none where the field has no value or is not given).
struct FluxGrid {
    const MapPicture& picture;
    int nz;
    double x0, z0, dx, dz;
    bool slopes;

    std::size_t Index(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(nz) +
               static_cast<std::size_t>(j);
    }
    double Psi(int i, int j) const { return picture.flux[Index(i, j)]; }
    double GradX(int i, int j) const {
        if (!slopes)
            return std::nan("");
        const FieldPoint& pt = picture.points[Index(i, j)];
        return pt.status.empty() ? static_cast<double>(pt.x * pt.field.axial) : std::nan("");
    }
    double GradZ(int i, int j) const {
        if (!slopes)
            return std::nan("");
        const FieldPoint& pt = picture.points[Index(i, j)];
        return pt.status.empty() ? static_cast<double>(-pt.x * pt.field.radial) : std::nan("");
    }
};

// A cell's corners counter-clockwise from (i, j): psi, place and slopes.
struct CellCorners {
    double v[4], cx[4], cz[4], gx[4], gz[4];
};

CellCorners CornersOf(const FluxGrid& g, int i, int j) {
    const int ci[4] = {i, i + 1, i + 1, i};
    const int cj[4] = {j, j, j + 1, j + 1};
    CellCorners c;
    for (int k = 0; k < 4; ++k) {
        c.v[k] = g.Psi(ci[k], cj[k]);
        c.cx[k] = g.x0 + ci[k] * g.dx;
        c.cz[k] = g.z0 + cj[k] * g.dz;
        c.gx[k] = g.GradX(ci[k], cj[k]);
        c.gz[k] = g.GradZ(ci[k], cj[k]);
    }
    return c;
}

// Where psi crosses the level on the edge from corner a to corner b: along the edge psi is the
// cubic through its ends' values and slopes (the field gives the slopes); its crossing by
// bisection.
QPointF EdgeCrossing(const CellCorners& c, int a, int b, double level) {
    const double ex = c.cx[b] - c.cx[a], ez = c.cz[b] - c.cz[a];
    // Without the field there (none given, or no value), the secant: linear.
    double sa = c.gx[a] * ex + c.gz[a] * ez, sb = c.gx[b] * ex + c.gz[b] * ez;
    if (!std::isfinite(sa) || !std::isfinite(sb))
        sa = sb = c.v[b] - c.v[a];
    auto cubic = [&](double t) {
        const double t2 = t * t, t3 = t2 * t;
        return (2 * t3 - 3 * t2 + 1) * c.v[a] + (t3 - 2 * t2 + t) * sa +
               (-2 * t3 + 3 * t2) * c.v[b] + (t3 - t2) * sb - level;
    };
    double lo = 0, hi = 1;
    const bool rising = c.v[b] >= level;
    for (int n = 0; n < 40; ++n) {
        const double mid = (lo + hi) / 2;
        ((cubic(mid) >= 0) == rising ? hi : lo) = mid;
    }
    const double t = (lo + hi) / 2;
    return QPointF(c.cx[a] + t * ex, c.cz[a] + t * ez);
}

// Marching squares: in one cell, the points where psi crosses the level on its edges, joined
// in pairs.
void AddCellSegments(const FluxGrid& g, int i, int j, double level, std::vector<QLineF>& out) {
    const CellCorners c = CornersOf(g, i, j);
    QPointF cross[4];
    int count = 0;
    for (int e = 0; e < 4; ++e) {
        const int a = e, b = (e + 1) % 4;
        if ((c.v[a] >= level) != (c.v[b] >= level))
            cross[count++] = EdgeCrossing(c, a, b, level);
    }
    if (count == 2) {
        out.emplace_back(cross[0], cross[1]);
    } else if (count == 4) {
        // A saddle: the centre's value says which corners the lines part.
        const double centre = (c.v[0] + c.v[1] + c.v[2] + c.v[3]) / 4;
        if ((centre >= level) == (c.v[0] >= level)) {
            out.emplace_back(cross[0], cross[3]);
            out.emplace_back(cross[1], cross[2]);
        } else {
            out.emplace_back(cross[0], cross[1]);
            out.emplace_back(cross[2], cross[3]);
        }
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
    const FluxGrid grid{picture,
                        nz,
                        x0,
                        z0,
                        (static_cast<double>(picture.x.stop) - x0) / (nx - 1),
                        (static_cast<double>(picture.z.stop) - z0) / (nz - 1),
                        picture.points.size() == picture.flux.size()};
    for (long long k = first; k <= last; ++k) {
        if (k == 0)
            continue;
        FieldLine line;
        line.psi = static_cast<double>(k) * step;
        for (int i = 0; i + 1 < nx; ++i) {
            for (int j = 0; j + 1 < nz; ++j)
                AddCellSegments(grid, i, j, line.psi, line.segments);
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

namespace {

// The |B| scale: up to the style's top, or the strongest field outside the windings, where it
// peaks; a logarithmic one spans three decades below its top unless told.
ModulusScale ScaleOf(const MapPicture& picture) {
    const MapStyle& style = picture.style;
    const CalcRecord& r = picture.rec;
    const std::vector<FieldPoint>& points = picture.points;
    ModulusScale scale;
    if (style.colour != MapColour::Modulus)
        return scale;
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
    return scale;
}

// No seams between cells: on a screen and in a PNG the cells are one image, a pixel each,
// stretched over their rectangle; in an SVG (where an embedded image would be opaque bytes)
// each column's runs of one colour are one rectangle, each overlapping the next by a little, so
// that a viewer's antialiasing leaves no hairline between them.
void DrawCells(QPainter& p, const Frame& f, const MapPicture& picture, const ModulusScale& scale) {
    const std::vector<FieldPoint>& points = picture.points;
    const GridRange& x = picture.x;
    const GridRange& z = picture.z;
    const auto [xs, xe, zs, ze, dx, dz] = SpanOf(picture);
    const bool modulus = picture.style.colour == MapColour::Modulus;
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
}

// Over the cells: field lines, contours, the uniform sphere, the windings and the axis.
void DrawOverlays(QPainter& p, const Frame& f, const MapPicture& picture) {
    const MapStyle& style = picture.style;
    const CalcRecord& r = picture.rec;
    if (style.fieldLines)
        DrawFieldLines(p, f, picture);
    if (style.contours)
        DrawContours(p, f, picture);
    if (style.sphere > 0) {
        const double s = static_cast<double>(style.sphere);
        p.setPen(QPen(QColor(0, 60, 200), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        // Only the arcs inside the frame: an SVG file keeps no clip.
        for (const auto& arc : CircleArcsInside(s, ArcBox{f.x0, f.x1, f.y0, f.y1})) {
            QPainterPath path(f.At(arc.front().x(), arc.front().y()));
            for (std::size_t k = 1; k < arc.size(); ++k)
                path.lineTo(f.At(arc[k].x(), arc[k].y()));
            p.drawPath(path);
        }
    }
    if (style.windings) {
        const double offset = static_cast<double>(r.H / 2 + r.hh / 2);
        DrawWinding(p, f, r, offset);
        DrawWinding(p, f, r, -offset);
        p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
        p.drawLine(f.At(0, f.y0), f.At(0, f.y1));  // the axis
    }
}

void DrawMapTitle(QPainter& p, const MapPicture& picture) {
    const bool modulus = picture.style.colour == MapColour::Modulus;
    const CalcRecord& r = picture.rec;
    const double width = picture.style.canvas.width();
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

// The |B| bar with its round ticks (1, 2, 5) and the box above its top; returns where the next
// entry of the key starts. The bar is 200 units tall where the canvas has room, shorter on a
// small one so that the key's last entry stays on it.
double DrawModulusBar(QPainter& p, double keyLeft, double top2, const ModulusScale& scale,
                      const MapStyle& style) {
    const double canvasHeight = style.canvas.height();
    const QChar separator = style.decimalSeparator;
    // One gradient, so no seams between bands of the bar.
    const QRectF bar(keyLeft, top2, 28, std::clamp(canvasHeight - 312, 100.0, 200.0));
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
                   Number(b * mt, separator));
    };
    for (const double b : ScaleTicks(scale.bottom * mt, scale.top * mt, scale.log))
        tick(b / mt);
    top2 = bar.bottom() + 16;
    p.setBrush(kAboveScale);
    p.drawRect(QRectF(keyLeft, top2, 28, 20));
    p.drawText(QPointF(keyLeft + 38, top2 + 15),
               QStringLiteral("> ") + Number(scale.top * mt, separator));
    return top2 + 28;
}

double DrawBandsKey(QPainter& p, double keyLeft, double top2, const MapTexts& texts) {
    for (int k = 0; k < 5; ++k) {
        p.setBrush(kBands[k].colour);
        p.drawRect(QRectF(keyLeft, top2, 28, 20));
        p.drawText(QPointF(keyLeft + 38, top2 + 15), texts.bands[k]);
        top2 += 28;
    }
    return top2;
}

// The colour key beside the map, and a sample of each thing drawn over the cells.
void DrawMapKey(QPainter& p, const Frame& f, const MapPicture& picture, const ModulusScale& scale) {
    const MapStyle& style = picture.style;
    const MapTexts& texts = style.texts;
    const bool modulus = style.colour == MapColour::Modulus;
    const QRectF room = MapRoom(style);
    const double keyLeft = f.area.right() + 30;
    p.setPen(QPen(Qt::black, 1));
    p.setFont(Font(14, true));
    p.drawText(QPointF(keyLeft, room.top() + 14), modulus ? texts.modulusKey : texts.deviationKey);
    p.setFont(Font(13));
    double top2 = room.top() + 30;
    top2 = modulus ? DrawModulusBar(p, keyLeft, top2, scale, style)
                   : DrawBandsKey(p, keyLeft, top2, texts);
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

}  // namespace

void PaintMap(QPainter& p, const QRectF& canvasArea, const MapPicture& picture) {
    const CanvasScope canvas(p, canvasArea, picture.style.canvas);
    p.fillRect(QRectF(QPointF(0, 0), picture.style.canvas), Qt::white);
    const Frame f = MapFrame(picture);
    const ModulusScale scale = ScaleOf(picture);
    p.save();
    p.setClipRect(f.area);
    DrawCells(p, f, picture, scale);
    p.setRenderHint(QPainter::Antialiasing, true);
    DrawOverlays(p, f, picture);
    p.restore();
    f.DrawAxes(p, picture.style.texts.xAxis, picture.style.texts.zAxis, 1000,
               picture.style.decimalSeparator);
    if (picture.style.title)
        DrawMapTitle(p, picture);
    if (picture.style.key)
        DrawMapKey(p, f, picture, scale);
}

std::string MapFileBytes(const MapPicture& picture, const std::string& path) {
    return PaintBytes(path, [&](QPainter& p) { PaintMap(p, kCanvas, picture); });
}

}  // namespace varnel
