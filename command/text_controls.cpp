// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/text_controls.h"

#include <stdexcept>

#include "command/control_names.h"

namespace varnel {

TextControls::TextControls() {
    for (const InputBox& box : kInputBoxes)
        texts_.emplace(box.name, box.defaultText);
    for (const ResultBox& box : kResultBoxes)
        texts_.emplace(box.name, "");
    texts_.emplace(kStatusBox, kReadyText);
    checked_.emplace(kVoltageSourceRadio, true);
    checked_.emplace(kCurrentSourceRadio, false);
}

std::string TextControls::Text(std::string_view name) const {
    const auto it = texts_.find(name);
    if (it == texts_.end())
        throw std::logic_error("no edit box " + std::string(name));
    return it->second;
}

void TextControls::SetText(std::string_view name, std::string_view text) {
    const auto it = texts_.find(name);
    if (it == texts_.end())
        throw std::logic_error("no edit box " + std::string(name));
    it->second = text;
}

bool TextControls::IsChecked(std::string_view name) const {
    const auto it = checked_.find(name);
    if (it == checked_.end())
        throw std::logic_error("no radio button " + std::string(name));
    return it->second;
}

void TextControls::SetCurrentSource(bool current) {
    checked_[std::string(kVoltageSourceRadio)] = !current;
    checked_[std::string(kCurrentSourceRadio)] = current;
}

}  // namespace varnel
