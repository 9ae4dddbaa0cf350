#include <QApplication>

#include "studio/studio_shell.h"
#include "studio/studio_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::studio::ConfigureStudio(app);
    varnel::studio::StudioWindow window;
    window.show();
    return app.exec();
}
