// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/number_text.h"
#include "command/text_controls.h"

namespace varnel {
namespace {

TEST(InputTable, NamesAreUniqueAndFoundByTheirOption) {
    std::set<std::string_view> boxes, options;
    std::vector<long double CalcRecord::*> fields;
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        const InputBox& in = kInputBoxes[i];
        EXPECT_TRUE(boxes.insert(in.name).second) << in.name;
        EXPECT_TRUE(options.insert(in.option).second) << in.option;
        if (in.field != nullptr) {
            EXPECT_EQ(std::count(fields.begin(), fields.end(), in.field), 0) << in.name;
            fields.push_back(in.field);
        }
        EXPECT_EQ(InputIndex(in.option), i) << in.option;
        EXPECT_FALSE(in.caption.empty()) << in.name;
    }
    EXPECT_EQ(kInputBoxes[kSourceInput].field, nullptr);
    EXPECT_EQ(kInputBoxes[kXInput].name, "ex");
    EXPECT_EQ(kInputBoxes[kZInput].name, "ez");
    EXPECT_FALSE(InputIndex("eR1").has_value());  // a box name is not an option
}

// Each box's text lands in the field the table names, by either source for the shared box.
TEST(InputTable, EachBoxFillsItsField) {
    for (const bool current : {false, true}) {
        for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
            const InputBox& in = kInputBoxes[i];
            TextControls controls;
            controls.SetCurrentSource(current);
            // A value that keeps every check passing and differs from the default.
            const std::string text = in.name == "ex" || in.name == "ez" ? "0.004" : "0.0005";
            const std::string changed = in.name == "eRo" ? "9000" : text;
            controls.SetText(in.name, changed);
            CalcRecord rec;
            bCalcClick(controls, rec);
            long double CalcRecord::*field = in.field;
            if (field == nullptr)
                field = current ? &CalcRecord::Id : &CalcRecord::Ud;
            EXPECT_EQ(rec.*field, ParseNumber(changed)) << in.name << " current " << current;
        }
    }
}

}  // namespace
}  // namespace varnel
