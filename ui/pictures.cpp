// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace varnel::ui {
namespace {

const QColor kFieldGrey(192, 192, 192);
const QColor kCoilFill(160, 160, 160);

void Arrow(QPainter& p, QPointF from, QPointF to, double head = 5) {
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF side1 = line;
    side1.setLength(head);
    side1.setAngle(line.angle() + 25);
    QLineF side2 = line;
    side2.setLength(head);
    side2.setAngle(line.angle() - 25);
    p.drawPolygon(QPolygonF({to, side1.p2(), side2.p2()}));
}

// A winding section: a square crossed corner to corner.
void CrossedSquare(QPainter& p, const QRectF& r) {
    p.fillRect(r, kCoilFill);
    p.drawRect(r);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

// A coil's section: a long rectangle with its two winding sections at the ends.
void CoilSection(QPainter& p, double left, double top, double width, double height) {
    p.drawRect(QRectF(left, top, width, height));
    CrossedSquare(p, QRectF(left, top, height, height));
    CrossedSquare(p, QRectF(left + width - height, top, height, height));
}

// A vertical dimension line with arrows at both ends and its letter beside it.
void Dimension(QPainter& p, double x, double top, double bottom, const QString& letter,
               bool withLetter) {
    p.drawLine(QPointF(x - 3, top), QPointF(x + 3, top));
    p.drawLine(QPointF(x - 3, bottom), QPointF(x + 3, bottom));
    Arrow(p, QPointF(x, (top + bottom) / 2), QPointF(x, top), 4);
    Arrow(p, QPointF(x, (top + bottom) / 2), QPointF(x, bottom), 4);
    if (withLetter)
        p.drawText(QRectF(x + 3, (top + bottom) / 2 - 7, 12, 14), Qt::AlignCenter, letter);
}

}  // namespace

QPixmap DrawSketch(SketchLetters letters) {
    QPixmap pixmap(191, 182);
    pixmap.fill(kFieldGrey);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("Tahoma");
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(0.5, 0.5, 190, 181));
    const bool withLetters = letters == SketchLetters::Drawn;
    auto write = [&](QPointF at, const QString& text) {
        if (withLetters)
            p.drawText(at, text);
    };

    // Two coils of equal height about the gap; the axis is x = 100, the mid-plane y = 100. The
    // gap leaves room for "(0,0)" under the X axis, each coil for its R1 and R2 letters.
    const double axis = 100, mid = 100, left = 36, width = 128, height = 32, gap = 30;
    const double upperTop = mid - gap / 2 - height, lowerTop = mid + gap / 2;
    p.setBrush(Qt::NoBrush);
    CoilSection(p, left, upperTop, width, height);
    CoilSection(p, left, lowerTop, width, height);

    p.setBrush(Qt::black);
    Arrow(p, QPointF(axis, 174), QPointF(axis, 8));  // Z
    write(QPointF(axis + 4, 16), "Z");
    Arrow(p, QPointF(30, mid), QPointF(184, mid));  // X
    write(QPointF(176, mid - 4), "X");
    write(QPointF(axis + 3, mid + 11), "(0,0)");

    Dimension(p, 12, upperTop, upperTop + height, "H", withLetters);
    Dimension(p, 12, mid - gap / 2, mid + gap / 2, "h", withLetters);
    Dimension(p, 12, lowerTop, lowerTop + height, "H", withLetters);

    // R1 to the inner edge of the left winding, R2 below it to the outer edge; each letter
    // stands above its arrow, between the winding and the axis.
    const double r1y = upperTop + 13, r2y = upperTop + 26;
    Arrow(p, QPointF(axis, r1y), QPointF(left + height, r1y), 4);
    write(QPointF(left + height + 6, r1y - 3), "R1");
    Arrow(p, QPointF(axis, r2y), QPointF(left, r2y), 4);
    write(QPointF(left + height + 6, r2y - 3), "R2");

    // The point (x, z) with its field Bd and the angle phi to the Z direction.
    const QPointF point(150, 34);
    p.drawEllipse(point, 1.8, 1.8);
    write(QPointF(point.x() - 34, point.y() + 4), "(x, z)");
    QPen dashed(Qt::black, 1, Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(point, QPointF(point.x(), 8));
    p.setPen(QPen(Qt::black, 1));
    const QPointF tip(168, 14);
    Arrow(p, point, tip);
    write(QPointF(168, 32), "Bd");
    Arrow(p, QPointF(168, 21), QPointF(181, 21), 3);  // the vector's arrow over the letters
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(point.x() - 12, point.y() - 12, 24, 24), 90 * 16, -45 * 16);
    write(QPointF(point.x() + 2, point.y() - 17), QString::fromUtf8("φ"));
    return pixmap;
}

void PaintIcon(QPainter& p) {
    p.fillRect(QRectF(0, 0, 32, 32), kFieldGrey);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    // Two coil blocks, each with its two crossed winding sections.
    for (double top : {5.0, 19.0}) {
        p.drawRect(QRectF(4.5, top + 0.5, 23, 8));
        CrossedSquare(p, QRectF(4.5, top + 0.5, 8, 8));
        CrossedSquare(p, QRectF(19.5, top + 0.5, 8, 8));
    }
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16, 16), 1.6, 1.6);
}

QIcon DrawWindowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        QPainter p(&pixmap);
        p.scale(size / 32.0, size / 32.0);
        PaintIcon(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon DrawExitGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The door frame, and the door swung open towards the viewer.
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setBrush(QColor(200, 150, 60));
    p.drawPolygon(
        QPolygonF({QPointF(3.5, 1.5), QPointF(9.5, 3.5), QPointF(9.5, 15.5), QPointF(3.5, 14.5)}));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 9), 0.8, 0.8);
    p.end();
    return QIcon(pixmap);
}

}  // namespace varnel::ui
