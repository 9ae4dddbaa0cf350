// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTabWidget>

#include "studio/design_view.h"
#include "studio/studio_shell.h"
#include "studio/studio_window.h"

// varnel-studio [--tab numbers|map|profiles|design] [--run] [--size WxH] [DESIGN.json]
// --tab opens on that tab; --run starts the design search with its default goals.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::studio::ConfigureStudio(app);
    varnel::studio::StudioWindow window;
    window.restoreSettings();
    QStringList args = QApplication::arguments();
    args.removeFirst();
    // --size WxH: the window's size, for pictures of it at a given size.
    const qsizetype size = args.indexOf(QStringLiteral("--size"));
    if (size >= 0 && size + 1 < args.size()) {
        const QStringList wh = args[size + 1].split(QLatin1Char('x'));
        if (wh.size() == 2)
            window.resize(wh[0].toInt(), wh[1].toInt());
        args.remove(size, 2);
    }
    window.show();
    const QStringList tabs = {QStringLiteral("numbers"), QStringLiteral("map"),
                              QStringLiteral("profiles"), QStringLiteral("design")};
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--tab") && i + 1 < args.size()) {
            window.tabs()->setCurrentIndex(std::max<qsizetype>(0, tabs.indexOf(args[++i])));
        } else if (args[i] == QStringLiteral("--run")) {
            window.designView()->run();
        } else {
            window.openDesign(args[i]);
        }
    }
    return app.exec();
}
