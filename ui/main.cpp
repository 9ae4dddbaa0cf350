// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "ui/application_shell.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varnel::ui::ConfigureApplication(app);
    varnel::ui::Tf_V_Loops_V11 window;
    window.show();
    return app.exec();
}
