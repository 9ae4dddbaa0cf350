// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon for installation: an SVG and PNGs of the usual sizes, all from
// the drawing the window uses.  icon_export OUTPUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/pictures.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_export OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    QSvgGenerator svg;
    svg.setFileName(out.filePath("varnel-coils.svg"));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle("Varnel Coils");
    QPainter svgPainter(&svg);
    varnel::ui::PaintIcon(svgPainter);
    svgPainter.end();

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, size > 32);
        p.scale(size / 32.0, size / 32.0);
        varnel::ui::PaintIcon(p);
        p.end();
        if (!image.save(out.filePath(QString("varnel-coils-%1.png").arg(size))))
            return 1;
    }
    return 0;
}
