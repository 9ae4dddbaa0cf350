// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

class QGuiApplication;

namespace varnel {

// The Qt application a picture needs for its fonts: offscreen, so it opens no window. Where
// the session has no XDG_RUNTIME_DIR (a cron job, ssh without a login session), it gets a
// private one for its lifetime, so that Qt has nothing to warn about.
class PictureApp {
  public:
    PictureApp(int& argc, char** argv);
    ~PictureApp();
    PictureApp(const PictureApp&) = delete;
    PictureApp& operator=(const PictureApp&) = delete;

  private:
    std::string runtimeDir_;  // made here, removed at the end; empty when the session has one
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace varnel
