// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/studio_shell.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTranslator>
#include <clocale>

namespace varnel::studio {
namespace {

QIcon StudioIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        PaintStudioIcon(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

void ConfigureStudio(QApplication& app) {
    // QApplication gives the C library the user's regional settings, and the study code
    // writes its coordinates with snprintf for the calculator to read back with ".". Qt's own
    // number texts follow QLocale and are not affected.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("varnel-studio"));
    QApplication::setOrganizationName(QStringLiteral("Varnel Coils"));
    QApplication::setDesktopFileName(QStringLiteral("org.varnelcoils.VarnelStudio"));
    InstallTranslations(app, QLocale::system());
    QApplication::setWindowIcon(StudioIcon());
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    const QString installed =
        QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../share/varnel-coils/translations"));
    auto* studio = new QTranslator(&app);
    const bool found =
        studio->load(locale, QStringLiteral("varnel-studio"), QStringLiteral("_"), installed) ||
        studio->load(locale, QStringLiteral("varnel-studio"), QStringLiteral("_"),
                     QStringLiteral(":/i18n"));
    if (found)
        QCoreApplication::installTranslator(studio);
    else
        delete studio;
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return found;
}

void PaintStudioIcon(QPainter& p) {
    p.save();
    // The map's colours: strong field (warm) in the bore, weak (cool) outside.
    QRadialGradient map(QPointF(16, 16), 17);
    map.setColorAt(0, QColor(0xf6, 0xc3, 0x4a));
    map.setColorAt(0.45, QColor(0x3f, 0xa7, 0x9b));
    map.setColorAt(1, QColor(0x1d, 0x3b, 0x78));
    p.setPen(Qt::NoPen);
    p.setBrush(map);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);

    // Field lines closing round the coils.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    for (double w : {10.0, 16.0}) {
        QPainterPath path;
        path.moveTo(3, 16);
        path.cubicTo(8, 16 - w, 24, 16 - w, 29, 16);
        path.moveTo(3, 16);
        path.cubicTo(8, 16 + w, 24, 16 + w, 29, 16);
        p.drawPath(path);
    }

    // The sections of the two coils, copper, above and below the axis.
    p.setPen(QPen(QColor(0x5a, 0x2d, 0x0c), 0.8));
    p.setBrush(QColor(0xd9, 0x7b, 0x2f));
    for (double x : {7.5, 18.5}) {
        p.drawRect(QRectF(x, 5, 6, 5));
        p.drawRect(QRectF(x, 22, 6, 5));
    }
    p.restore();
}

}  // namespace varnel::studio
