// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/request.h"

#include <stdexcept>

namespace varnel::python {

CalcRequest RequestOf(const std::vector<std::string>& texts, bool current) {
    CalcRequest request;
    if (texts.size() != request.texts.size()) {
        throw std::invalid_argument("a calculation takes " + std::to_string(request.texts.size()) +
                                    " input texts, not " + std::to_string(texts.size()));
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        request.texts[i] = texts[i];
    request.currentSource = current;
    return request;
}

}  // namespace varnel::python
