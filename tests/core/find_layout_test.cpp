#include "search/find_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/find_dialog_layout.h"
#include "forms/form_layout.h"

namespace nerula {

std::ostream& operator<<(std::ostream& out, const FindDialogLayout& l) {
    return out << "{caption " << l.caption.size() << " units, replaceText " << l.replaceTextVisible
               << ", replace " << l.replaceVisible << ", optionsEx " << l.optionsExVisible << ", tops "
               << l.optionsTop << "/" << l.optionsExTop << "/" << l.directionTop << "/" << l.cancelTop
               << ", height " << l.clientHeight << "}";
}

namespace {

std::size_t Index(std::u16string_view name) {
    const auto index = FindControl(kFindDialogControls, name);
    if (!index) {
        throw std::invalid_argument(std::string(name.begin(), name.end()));
    }
    return *index;
}

TEST(FindDialogTable, PassesTheBuildersChecks) {
    EXPECT_EQ(ValidateForm(kFindDialogControls).size(), 0u);
    EXPECT_EQ(kFindDialogSpec.clientWidth, 467);
    EXPECT_EQ(kFindDialogSpec.clientHeight, 146);
    EXPECT_EQ(kFindDialogSpec.caption, u"検索 / 置換");
    EXPECT_EQ(kFindDialogSpec.fontHeight, -11);
    for (const ControlSpec& control : kFindDialogControls) {
        if (control.kind == ControlKind::Panel) {
            EXPECT_TRUE(control.options.Has(ControlOption::NoBevel))
                << std::string(control.name.begin(), control.name.end());
            EXPECT_TRUE(control.caption.empty()); // a panel draws its caption
        }
    }
}

TEST(FindDialogTable, EachLabelIsMadeJustBeforeTheEditItsAccessKeyFocuses) {
    const std::vector<std::size_t> order = CreationOrder(kFindDialogControls);
    const std::pair<std::u16string_view, std::u16string_view> pairs[] = {
        {u"FindTextLbl", u"FindTextEdt"},
        {u"PeplaceTextLbl", u"ReplaceTextEdt"},
    };
    for (const auto& [label, edit] : pairs) {
        const auto at = std::find(order.begin(), order.end(), Index(label));
        ASSERT_NE(at, order.end());
        ASSERT_NE(at + 1, order.end());
        EXPECT_EQ(*(at + 1), Index(edit));
        EXPECT_FALSE(kFindDialogControls[Index(label)].options.Has(ControlOption::TabStop));
    }
}

TEST(FindDialogTable, PanelsComeInTabOrderAndTheButtonsBehaveAsDesigned) {
    const std::vector<std::size_t> order = CreationOrder(kFindDialogControls);
    std::vector<std::u16string_view> panels;
    for (const std::size_t index : order) {
        if (kFindDialogControls[index].parent.empty()) {
            panels.push_back(kFindDialogControls[index].name);
        }
    }
    const std::vector<std::u16string_view> expected{u"FindTextPnl",  u"ReplaceTextPnl", u"OptionsPnl",
                                                    u"OptionsExPnl", u"DirectionPnl",   u"FindPnl",
                                                    u"ReplacePnl",   u"CanselPnl"};
    EXPECT_EQ(panels, expected);

    const ControlSpec& find = kFindDialogControls[Index(u"FindBtn")];
    EXPECT_TRUE(find.options.Has(ControlOption::Default));
    EXPECT_TRUE(find.options.Has(ControlOption::Disabled));
    EXPECT_NE(find.id, kOkButtonId); // the OK ID would hide the window instead of finding
    for (const std::u16string_view name : {u"ReplaceBtn", u"ReplaceAllBtn"}) {
        EXPECT_TRUE(kFindDialogControls[Index(name)].options.Has(ControlOption::Disabled));
    }
    const ControlSpec& cancel = kFindDialogControls[Index(u"CancelBtn")];
    EXPECT_TRUE(cancel.options.Has(ControlOption::Cancel));
    EXPECT_EQ(cancel.id, kCancelButtonId);

    const ControlSpec& direction = kFindDialogControls[Index(u"DirectionRgp")];
    EXPECT_EQ(ListItems(direction.items), (std::vector<std::u16string_view>{u"上へ(&U)", u"下へ(&D)"}));
    EXPECT_EQ(direction.columns, 2);
    EXPECT_EQ(direction.itemIndex, 1);
}

TEST(FindDialogTable, ControlsSitInsideTheirPanels) {
    struct Case {
        std::u16string_view name;
        FormRect at96;
        FormRect at144;
    };
    const Case cases[] = {
        {u"FindTextEdt", {108, 4, 252, 21}, {162, 6, 378, 32}},
        {u"ReplaceTextEdt", {108, 33, 252, 21}, {162, 50, 378, 32}}, // 43.5 + 6
        {u"MultiLineChk", {4, 125, 170, 17}, {6, 188, 255, 26}},
        {u"CancelBtn", {368, 103, 95, 25}, {552, 155, 143, 38}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormPosition(kFindDialogControls, kFindDialogSpec, Index(c.name), 96), c.at96);
        EXPECT_EQ(FormPosition(kFindDialogControls, kFindDialogSpec, Index(c.name), 144), c.at144);
    }
}

TEST(LayoutFindDialog, MovesThePanelsUpForFindingAndEndsAtTheLowestShownPanel) {
    struct Case {
        TDialogStyle style;
        bool usesRegexpVisible;
        FindDialogLayout expected;
    };
    const Case cases[] = {
        {TDialogStyle::dsFind, true, {u"検索", false, false, true, 29, 75, 29, 33, 117}},
        {TDialogStyle::dsFind, false, {u"検索", false, false, false, 29, 75, 29, 33, 75}},
        {TDialogStyle::dsReplace, true, {u"置換", true, true, true, 58, 104, 58, 99, 146}},
        {TDialogStyle::dsReplace, false, {u"置換", true, true, false, 58, 104, 58, 99, 132}},
    };
    const FindDialogPanels panels = DesignedFindDialogPanels(kFindDialogControls);
    for (const Case& c : cases) {
        EXPECT_EQ(LayoutFindDialog(panels, c.style, c.usesRegexpVisible), c.expected)
            << static_cast<int>(c.style) << " " << c.usesRegexpVisible;
    }
}

TEST(LayoutFindDialog, FollowsThePanelsScaledToTheDpi) {
    // At 144 dpi: FindTextPnl's height 29 becomes 44, OptionsPnl's 46 becomes 69,
    // OptionsExPnl's 42 becomes 63, FindPnl's and CanselPnl's 33 become 50.
    const FindDialogPanels panels = ScaleToDpi(DesignedFindDialogPanels(kFindDialogControls), 144);
    EXPECT_EQ(LayoutFindDialog(panels, TDialogStyle::dsFind, true),
              (FindDialogLayout{u"検索", false, false, true, 44, 113, 44, 50, 176}));
}

TEST(LayoutFindDialog, ATableWithoutOneOfThePanelsIsRefused) {
    const std::array<ControlSpec, 1> partial{{kFindDialogControls[0]}};
    EXPECT_THROW(DesignedFindDialogPanels(partial), std::invalid_argument);
}

} // namespace
} // namespace nerula
