// SPDX-License-Identifier: GPL-3.0-or-later
// The profile: the field's components, or its deviation, along a line.
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <span>

#include "plot/picture_axes.h"
#include "plot/pictures.h"

namespace varnel {

using namespace drawing;

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

namespace {

struct Curve {
    QString name;
    long double FieldValues::*member;  // none: the deviation
    QColor colour;
};

void DrawProfileTitle(QPainter& p, const ProfilePicture& picture) {
    const bool alongZ = picture.alongZ;
    const double width = picture.style.canvas.width();
    p.setFont(Font(18, true));
    p.drawText(QRectF(20, 12, width - 40, 26), Qt::AlignLeft,
               QString("Flux density along %1 at %2 = %3 mm")
                   .arg(alongZ ? "z" : "x", alongZ ? "x" : "z", Millimetres(picture.at)));
    p.setFont(Font(13));
    p.drawText(QRectF(20, 40, width - 40, 20), Qt::AlignLeft, GeometryLine(picture.rec));
}

// The curves' names beside the plot, and the marks' word.
void DrawProfileLegend(QPainter& p, const Frame& f, const ProfileStyle& style,
                       std::span<const Curve> curves) {
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

}  // namespace

void PaintProfile(QPainter& p, const QRectF& canvasArea, const ProfilePicture& picture) {
    const std::vector<FieldPoint>& points = picture.points;
    const bool alongZ = picture.alongZ;
    const ProfileStyle& style = picture.style;
    const CanvasScope canvas(p, canvasArea, style.canvas);
    p.fillRect(QRectF(QPointF(0, 0), style.canvas), Qt::white);
    const std::optional<ProfileFrame> frame = FrameOfProfile(picture);
    const ProfileFrame pf = frame.value_or(ProfileFrame{
        QRectF(100, 80, style.canvas.width() - 300, style.canvas.height() - 160), 0, 1, 0, 1});
    const Frame f{pf.area, pf.s0, pf.s1, pf.v0, pf.v1};
    const double s0 = pf.s0, s1 = pf.s1;
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
               style.valueLabel, 1, style.decimalSeparator);

    if (style.title)
        DrawProfileTitle(p, picture);
    if (style.legend)
        DrawProfileLegend(p, f, style, curves);
}

std::string ProfileFileBytes(const ProfilePicture& picture, const std::string& path) {
    return PaintBytes(path, [&](QPainter& p) { PaintProfile(p, kCanvas, picture); });
}

}  // namespace varnel
