// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>

#include "command/controls.h"

namespace varnel {

// Controls held as plain texts and states, as the window shows them when it opens: the
// default input texts, empty results, "Готов ..." and the voltage source chosen. Used by
// varnel-calc and the tests. Asking for a control it does not have is a programming error.
class TextControls : public Controls {
  public:
    TextControls();

    std::string Text(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view text) override;
    bool IsChecked(std::string_view name) const override;

    // Chooses the voltage (false) or current (true) source, as the two radio buttons do.
    void SetCurrentSource(bool current);

  private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> checked_;
};

}  // namespace varnel
