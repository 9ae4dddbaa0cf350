// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTabWidget>

#include "studio/design_view.h"
#include "studio/map_view.h"
#include "studio/studio_shell.h"
#include "studio/studio_window.h"

// varnel-studio [--tab numbers|map|profiles|design] [--run] [--size WxH]
//               [--export-map FILE.png|svg|csv] [DESIGN.json]
// --tab opens on that tab; --run starts the design search with its default goals;
// --export-map writes the map, field lines and all, as File > Export does, and quits.
namespace {

// Writes the map once it is whole (its field lines drawn), then ends the program.
void ExportMapWhenShown(varnel::studio::StudioWindow& window, const QString& path) {
    varnel::studio::MapView* map = window.mapView();
    QObject::connect(map, &varnel::studio::MapView::mapShown, map, [map, path] {
        if (map->busy())
            return;  // the field lines are still coming
        const QString error = map->exportTo(path);
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        QCoreApplication::exit(error.isEmpty() ? 0 : 1);
    });
}

}  // namespace

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
        } else if (args[i] == QStringLiteral("--export-map") && i + 1 < args.size()) {
            ExportMapWhenShown(window, args[++i]);
        } else {
            window.openDesign(args[i]);
        }
    }
    return app.exec();
}
