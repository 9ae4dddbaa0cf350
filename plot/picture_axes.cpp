// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/picture_axes.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
#include <cmath>

#include "command/number_styles.h"
#include "command/number_text.h"

namespace varnel::drawing {

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

QFont Font(int pixels, bool bold) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

double TickStep(double span, int ticks) {
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw)
            return m * power;
    }
    return 10 * power;
}

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

QString Number(double v, QChar separator) {
    return QString::fromStdString(DigitsText(v, 6)).replace(u'.', separator);
}

QString Millimetres(long double metres) {
    return Number(static_cast<double>(metres * 1000));
}

QString GeometryLine(const CalcRecord& r) {
    return QString("R1 = %1 mm, R2 = %2 mm, H = %3 mm, h = %4 mm, N = %5 turns per coil, I = %6 A")
        .arg(Millimetres(r.R1), Millimetres(r.R2), Millimetres(r.H), Millimetres(r.hh),
             QString::fromStdString(FormatNumber(r.N)), QString::fromStdString(FormatNumber(r.Id)));
}

void Frame::DrawAxes(QPainter& p, const QString& xLabel, const QString& yLabel, double unit,
                     QChar separator) const {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);
    p.setFont(Font(13));
    const double xs = TickStep((x1 - x0) * unit, 8), ys = TickStep((y1 - y0) * unit, 8);
    for (double t = std::ceil(x0 * unit / xs) * xs; t <= x1 * unit + 1e-9 * xs; t += xs) {
        const QPointF a = At(t / unit, y0);
        p.drawLine(a, a + QPointF(0, 5));
        p.drawText(QRectF(a.x() - 40, a.y() + 6, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                   Number(std::fabs(t) < 1e-12 * xs ? 0 : t, separator));
    }
    for (double t = std::ceil(y0 * unit / ys) * ys; t <= y1 * unit + 1e-9 * ys; t += ys) {
        const QPointF a = At(x0, t / unit);
        p.drawLine(a, a - QPointF(5, 0));
        p.drawText(QRectF(a.x() - 70, a.y() - 9, 62, 18), Qt::AlignRight | Qt::AlignVCenter,
                   Number(std::fabs(t) < 1e-12 * ys ? 0 : t, separator));
    }
    p.setFont(Font(14));
    p.drawText(QRectF(area.left(), area.bottom() + 26, area.width(), 20), Qt::AlignHCenter, xLabel);
    p.save();
    p.translate(area.left() - 62, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, -20, area.height(), 20), Qt::AlignHCenter, yLabel);
    p.restore();
}

}  // namespace varnel::drawing
