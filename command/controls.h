// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// What the calculate command needs of the window: edit-box texts and radio-button states,
// by control name. The window, varnel-calc and the tests each provide one.
class Controls {
  public:
    virtual ~Controls() = default;
    virtual std::string Text(std::string_view name) const = 0;
    virtual void SetText(std::string_view name, std::string_view text) = 0;
    virtual bool IsChecked(std::string_view name) const = 0;
};

}  // namespace varnel
