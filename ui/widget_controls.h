// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command/controls.h"

class QWidget;

namespace varnel::ui {

// The calculate command's view of the window: edit boxes and radio buttons found by their
// object names under `root`.
class WidgetControls : public Controls {
  public:
    explicit WidgetControls(QWidget* root) : root_(root) {}

    std::string Text(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view text) override;
    bool IsChecked(std::string_view name) const override;

  private:
    QWidget* root_;
};

}  // namespace varnel::ui
