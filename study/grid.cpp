// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/grid.h"

#include <charconv>
#include <cmath>

#include "command/errors.h"
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

}  // namespace

long double GridRange::At(int i) const {
    if (count == 1)
        return start;
    return start + (stop - start) * i / (count - 1);
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
    for (int i = 0; i < range.count; ++i) {
        texts.push_back(DigitsText(range.At(i), 15));
    }
    return texts;
}

}  // namespace varnel
