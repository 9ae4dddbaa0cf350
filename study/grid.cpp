// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/grid.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "command/errors.h"
#include "command/fp_guard.h"
#include "command/number_text.h"
#include "study/calc_output.h"

namespace varnel {
namespace {

constexpr int kMaxCount = 1000000;

long double ParseBound(std::string_view text, std::string_view what) {
    try {
        return ParseNumber(TrimText(text));
    } catch (const ConversionError&) {
        throw BadRequestError(std::string(what) + ": '" + std::string(text) + "' is not a number");
    }
}

// A point between the ends: 15 digits where they keep it within a millionth of a step, else
// the fewest digits that read back (by the program's own rules) as the point itself, which 21
// always do.
std::string PointText(long double value, long double step) {
    FloatingPointFlagsScope flags;  // reading back is inexact by nature
    for (int digits = 15; digits < 21; ++digits) {
        const std::string text = DigitsText(value, digits);
        long double back = 0;
        try {
            back = ParseNumber(text, ".");
        } catch (const ConversionError&) {
            continue;
        }
        if (back == value || std::fabs(back - value) <= std::fabs(step) * 1e-6L)
            return text;
    }
    return DigitsText(value, 21);
}

}  // namespace

long double GridRange::At(int i) const {
    if (count == 1 || i <= 0)
        return start;
    if (i >= count - 1)
        return stop;
    const long double width = stop - start;  // finite: ParseGridRange refuses a wider range
    // Where the width times i would pass the largest number (raising the overflow flag a
    // calculation tests), the step is taken first.
    if (std::fabs(width) <= std::numeric_limits<long double>::max() / i)
        return start + width * i / (count - 1);
    return start + width / (count - 1) * i;
}

GridRange ParseGridRange(std::string_view text, std::string_view what) {
    const std::string shape =
        std::string(what) + ": '" + std::string(text) + "' is not START:STOP:COUNT";
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos) {
        throw BadRequestError(shape);
    }
    GridRange range;
    range.startText = TrimText(text.substr(0, first));
    range.stopText = TrimText(text.substr(first + 1, second - first - 1));
    range.start = ParseBound(text.substr(0, first), what);
    range.stop = ParseBound(text.substr(first + 1, second - first - 1), what);
    const std::string_view count = text.substr(second + 1);
    const auto [end, error] =
        std::from_chars(count.data(), count.data() + count.size(), range.count);
    if (error != std::errc() || end != count.data() + count.size())
        throw BadRequestError(shape);
    if (range.count < 1 || range.count > kMaxCount) {
        throw BadRequestError(std::string(what) + ": the count must be 1 to 1000000, not " +
                              std::string(count));
    }
    if (range.stop < range.start) {
        throw BadRequestError(std::string(what) + ": STOP is below START in '" + std::string(text) +
                              "'");
    }
    if (range.count > 1 && range.stop == range.start) {
        throw BadRequestError(std::string(what) + ": START and STOP are equal in '" +
                              std::string(text) + "', so " + std::string(count) +
                              " points would all be one; give COUNT 1 or a wider range");
    }
    // The steps are (STOP - START) / (COUNT - 1); a width past the largest number has none.
    if (!std::isfinite(range.stop - range.start)) {
        throw BadRequestError(std::string(what) + ": the range '" + std::string(text) +
                              "' is wider than the largest number the program holds");
    }
    return range;
}

std::vector<std::string> GridTexts(const GridRange& range) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(range.count));
    const long double step =
        range.count > 1 ? (range.stop - range.start) / (range.count - 1) : 0.0L;
    for (int i = 0; i < range.count; ++i) {
        if (i == 0 && !range.startText.empty()) {
            texts.push_back(range.startText);
        } else if (i == range.count - 1 && !range.stopText.empty()) {
            texts.push_back(range.stopText);
        } else {
            texts.push_back(PointText(range.At(i), step));
        }
    }
    return texts;
}

}  // namespace varnel
