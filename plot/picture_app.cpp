// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/picture_app.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include <QGuiApplication>

namespace varnel {

PictureApp::PictureApp(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                              "/varnel-calc-runtime-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // mkdtemp makes it 0700 and ours alone, as Qt wants a runtime directory.
        if (mkdtemp(name.data()) != nullptr) {
            runtimeDir_ = name.data();
            setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        }
    }
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

PictureApp::~PictureApp() {
    app_.reset();
    if (!runtimeDir_.empty())
        rmdir(runtimeDir_.c_str());
}

}  // namespace varnel
