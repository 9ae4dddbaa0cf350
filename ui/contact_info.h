// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The contact panel's lines and what its clickable lines write into the status box. The
// program has no personal maker: the lines name the program and leave the rest empty.
namespace varnel::ui {

struct ContactLine {
    std::string_view name;
    std::string_view text;
};

inline constexpr ContactLine kContactLines[] = {
    {"l_Contact_01", "Varnel Coils"},  // the maker
    {"l_Contact_02", "—"},             // country and city
    {"l_Contact_03", "E-mail: —"},     // e-mail address
    {"l_Contact_04", "Web: —"},        // web address
    {"l_Contact_05", "Тел./факс: —"},  // telephone and fax
    {"l_Contact_06", "Моб. тел.: —"},  // mobile telephone
};

inline constexpr std::string_view kGreetingText = "С уважением";
inline constexpr std::string_view kEmailText = "—";
inline constexpr std::string_view kWebText = "—";

}  // namespace varnel::ui
