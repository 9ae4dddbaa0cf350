// SPDX-License-Identifier: GPL-3.0-or-later
// The calculate command over twelve arbitrary texts and a source mode ends in exactly one of
// four outcomes: results, a check message, a conversion error or an arithmetic error. On an
// error the window keeps every text it had; no floating-point flag is left raised.
#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/errors.h"
#include "command/text_controls.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

std::map<std::string, std::string> WindowTexts(const varnel::Controls& controls) {
    std::map<std::string, std::string> texts;
    for (const auto& box : varnel::kResultBoxes)
        texts[std::string(box.name)] = controls.Text(box.name);
    texts["eReady"] = controls.Text(varnel::kStatusBox);
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    varnel::TextControls controls;
    varnel::CalcRecord rec;
    // Texts as an earlier run could have left them, for an error to keep.
    if (data[0] & 2) {
        for (const auto& box : varnel::kResultBoxes)
            controls.SetText(box.name, "earlier");
        controls.SetText(varnel::kStatusBox, "Введите R1 > 0");
    }
    controls.SetCurrentSource(data[0] & 1);
    // The texts are separated by line feeds; missing ones keep their default.
    std::size_t start = 0;
    for (const auto& box : varnel::kInputBoxes) {
        if (start > input.size())
            break;
        const std::size_t end = std::min(input.find('\n', start), input.size());
        controls.SetText(box.name, input.substr(start, end - start));
        start = end + 1;
    }
    const auto before = WindowTexts(controls);
    try {
        varnel::bCalcClick(controls, rec);
        const std::string status = controls.Text(varnel::kStatusBox);
        if (status == varnel::kReadyText) {
            for (const auto& box : varnel::kResultBoxes)
                Check(!controls.Text(box.name).empty(), "empty result");
        } else {
            Check(status.starts_with("Введите"), "unknown status");
            for (const auto& box : varnel::kResultBoxes)
                Check(controls.Text(box.name).empty(), "result kept");
        }
    } catch (const varnel::ConversionError& e) {
        Check(e.message().ends_with("' is not a valid floating point value"), "text");
        Check(WindowTexts(controls) == before, "window changed by a conversion error");
    } catch (const varnel::ArithmeticError& e) {
        const std::string& m = e.message();
        Check(m == "Floating point overflow" || m == "Floating point division by zero" ||
                  m == "Invalid floating point operation",
              "arithmetic message");
        Check(WindowTexts(controls) == before, "window changed by an arithmetic error");
    }
    Check(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO) == 0, "flags left raised");
    return 0;
}
