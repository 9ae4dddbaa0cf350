// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "engine/calc_record.h"
#include "plot/pictures.h"

// What the map and the profile both draw with: the canvas, fonts, number texts, a frame with its
// axes, and the file bytes of a painting. Inside the plot library only.
namespace varnel::drawing {

inline constexpr int kWidth = kPictureWidth;
inline constexpr int kHeight = kPictureHeight;
inline const QRectF kCanvas(0, 0, kWidth, kHeight);

// Paints into the bytes of a PNG or an SVG file, whichever the path names.
std::string PaintBytes(const std::string& path, const std::function<void(QPainter&)>& draw);

QFont Font(int pixels, bool bold = false);

// A round step for about `ticks` ticks over a span.
double TickStep(double span, int ticks);

// Round values (1, 2 or 5 times a power of ten) from `low` to `high`: about five evenly
// spaced on a linear scale; on a logarithmic one 1, 2 and 5 of each decade, or only the
// decades where they would crowd.
std::vector<double> ScaleTicks(double low, double high, bool log);

// A tick's or a key's number: six digits, with the separator given (the picture's style's:
// "." whatever the locale unless a window asks for its user's).
QString Number(double v, QChar separator = u'.');
QString Millimetres(long double metres);
// The coils' geometry, turns and current in one line under a picture's heading.
QString GeometryLine(const CalcRecord& r);

// A plot frame mapping metres (or any unit) to pixels, y upwards.
struct Frame {
    QRectF area;
    double x0, x1, y0, y1;

    QPointF At(double x, double y) const {
        return {area.left() + (x - x0) / (x1 - x0) * area.width(),
                area.bottom() - (y - y0) / (y1 - y0) * area.height()};
    }

    // The frame, its round ticks labelled in `unit`s of its own (1000: mm of metres) with the
    // decimal separator given, and the axes' names.
    void DrawAxes(QPainter& p, const QString& xLabel, const QString& yLabel, double unit,
                  QChar separator) const;
};

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

}  // namespace varnel::drawing
