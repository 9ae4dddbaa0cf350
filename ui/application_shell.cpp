// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application_shell.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>
#include <QStyleFactory>
#include <QWidget>

#include "command/decimal_separator.h"
#include "command/error_text.h"

namespace varnel::ui {
namespace {

// Tahoma at 8 points (11 pixels) is the classic dialog look the window was laid out for;
// Wine's metric-compatible Tahoma has Cyrillic. Liberation Sans stands in without it.
constexpr const char* kTahomaPath = "/usr/share/wine/fonts/tahoma.ttf";

QFont WindowFont() {
    QString family = "Liberation Sans";
    if (QFile::exists(kTahomaPath)) {
        const int id = QFontDatabase::addApplicationFont(kTahomaPath);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            family = families.front();
    }
    QFont font(family);
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

QString ApplicationTitle() {
    return QString::fromUtf8("Программа расчета системы катушек Варнеля V_Loops V1.1");
}

void ConfigureApplication(QApplication& app) {
    // The application name, not the display name: X11 would append that to every caption.
    QApplication::setApplicationName(ApplicationTitle());
    if (QStyle* style = QStyleFactory::create("Windows"))
        QApplication::setStyle(style);
    app.setFont(WindowFont());
    ReadDecimalSeparator();
}

void ReadDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    const QList<uint> codes = point.toUcs4();
    SetDecimalSeparator(codes.isEmpty() ? U'.' : static_cast<char32_t>(codes.front()));
}

void ShowError(QWidget* parent, const QString& message) {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const std::string shown = ErrorDisplayText(message.toStdString());
    const QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace varnel::ui
