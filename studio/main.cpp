#include <QApplication>

#include "studio/studio_shell.h"
#include "studio/studio_window.h"

// varnel-studio [DESIGN.json]
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::studio::ConfigureStudio(app);
    varnel::studio::StudioWindow window;
    window.show();
    if (const QStringList args = QApplication::arguments(); args.size() > 1)
        window.openDesign(args.at(1));
    return app.exec();
}
