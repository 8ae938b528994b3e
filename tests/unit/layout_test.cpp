#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/layout.h"
#include "calculator/calculator_layout.h"
#include "usage/about_layout.h"

namespace tarvolin {
namespace {

TEST(Layout, TwipsAndPointsToPixels) {
    const struct {
        const char* name;
        int actual, expected;
    } cases[] = {
        {"window width at 96 DPI", TwipsToPixels(4875, 96), 325},
        {"window width at 120 DPI rounds down", TwipsToPixels(4875, 120), 406},
        {"Text4 left at 96 DPI", TwipsToPixels(1860, 96), 124},
        {"over half a pixel rounds up", TwipsToPixels(8, 96), 1},
        {"9 pt at 96 DPI", FontPixelHeight(900, 96), 12},
        {"14.25 pt at 96 DPI", FontPixelHeight(1425, 96), 19},
        {"15 pt at 120 DPI", FontPixelHeight(1500, 120), 25},
        {"10.5 pt at 120 DPI rounds down", FontPixelHeight(1050, 120), 17},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

auto Find(const WindowLayout& layout, const std::string& name) -> decltype(layout.controls) {
    for (std::size_t i = 0; i < layout.controlCount; ++i)
        if (name == layout.controls[i].name) return &layout.controls[i];
    return nullptr;
}

TEST(CalculatorLayout, TabOrderOverFocusableControls) {
    const WindowLayout& layout = CalculatorLayout();
    std::vector<std::pair<int, std::string>> focusable;  // tab index, name
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const auto& control = layout.controls[i];
        if (control.kind == ControlKind::TextBox || control.kind == ControlKind::Button)
            focusable.emplace_back(control.tabIndex, control.name);
    }
    std::sort(focusable.begin(), focusable.end());
    std::vector<std::string> order;
    for (const auto& entry : focusable) order.push_back(entry.second);
    EXPECT_EQ(order, (std::vector<std::string>{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1",
                                               "Text7", "Text8", "Command2"}));
}

TEST(Layout, IdsAndTabIndexesAreUnique) {
    for (const WindowLayout* layout : {&CalculatorLayout(), &AboutLayout()}) {
        std::set<int> ids, tabs;
        for (std::size_t i = 0; i < layout->controlCount; ++i) {
            EXPECT_TRUE(ids.insert(layout->controls[i].id).second) << layout->controls[i].name;
            EXPECT_TRUE(tabs.insert(layout->controls[i].tabIndex).second) << layout->controls[i].name;
        }
    }
}

TEST(CalculatorLayout, TextBoxes) {
    const struct {
        const char* name;
        int maxLength;
        bool digitsOnly;
    } cases[] = {
        {"Text1", 2, true}, {"Text2", 2, true}, {"Text3", 2, true}, {"Text4", 2, true},
        {"Text5", 2, true}, {"Text6", 2, true}, {"Text7", 0, false}, {"Text8", 4, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* box = Find(CalculatorLayout(), c.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->kind, ControlKind::TextBox);
        EXPECT_EQ(box->maxLength, c.maxLength);
        EXPECT_EQ(box->digitsOnly, c.digitsOnly);
        ASSERT_NE(box->accessibleName, nullptr);
        EXPECT_STRNE(box->accessibleName, "");
    }
}

// The spaces push the body of each label onto its next line.
TEST(AboutLayout, TextsAndPaddedLabels) {
    EXPECT_EQ(std::string(Find(AboutLayout(), "lblDescription")->text)
                  .rfind("应用程序描述:" + std::string(34, ' ') + "本程序", 0), 0u);
    EXPECT_EQ(std::string(Find(AboutLayout(), "lblDisclaimer")->text).rfind("警告:" + std::string(30, ' ') + "本程序", 0),
              0u);
    EXPECT_EQ(AboutCaption(), "关于 时差计算器");
    EXPECT_EQ(AboutVersionLine(), "版本 1.0.2");
}

}  // namespace
}  // namespace tarvolin
