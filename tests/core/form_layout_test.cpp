#include "forms/form_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/config_dialog_layout.h"
#include "forms/find_dialog_layout.h"
#include "forms/main_form_layout.h"

namespace nerula {

std::ostream& operator<<(std::ostream& out, const FormRect& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

std::ostream& operator<<(std::ostream& out, const FormProblem& p) {
    return out << "{fault " << static_cast<int>(p.fault) << ", control " << p.control << "}";
}

namespace {

std::string Ascii(std::u16string_view text) {
    return {text.begin(), text.end()};
}

TEST(ScaleToDpi, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
    struct Case {
        int value;
        unsigned dpi;
        int expected;
    };
    const Case cases[] = {
        {11, 96, 11},
        {-11, 96, -11},
        {0, 144, 0},
        {11, 120, 14},
        {-11, 120, -14}, // 13.75
        {9, 120, 11},
        {-9, 120, -11}, // 11.25
        {2, 120, 3},
        {-2, 120, -3}, // 2.5: a half goes away from zero
        {10, 120, 13},
        {75, 120, 94}, // 12.5, 93.75
        {11, 144, 17},
        {-11, 144, -17}, // 16.5
        {1, 144, 2},
        {-1, 144, -2}, // 1.5
        {75, 144, 113},
        {21, 144, 32}, // 112.5, 31.5
        {7, 192, 14},
        {-7, 192, -14},
        {527, 192, 1054},
        {5, 72, 4},
        {-5, 72, -4},                  // 3.75: smaller than 96 dpi as well
        {1000000000, 144, 1500000000}, // no overflow on the way
        {-1000000000, 192, -2000000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi << " dpi";
    }
}

TEST(ScaleToDpi, ScalesEachNumberOfARectangleOnItsOwn) {
    EXPECT_EQ(ScaleToDpi(FormRect{5, 7, 75, 25}, 144), (FormRect{8, 11, 113, 38}));
    EXPECT_EQ(ScaleToDpi(FormRect{-5, -7, 75, 25}, 120), (FormRect{-6, -9, 94, 31}));
    EXPECT_EQ(ScaleToDpi(FormRect{5, 7, 75, 25}, 96), (FormRect{5, 7, 75, 25}));
}

constexpr FormSpec kForm{
    .caption = u"Sample", .clientWidth = 400, .clientHeight = 300, .fontFace = u"Tahoma", .fontHeight = -11};

// Containers of every kind, nested; the table's order differs from the tab order on purpose.
constexpr std::array<ControlSpec, 14> kNested{{
    {.name = u"Pages", .kind = ControlKind::PageControl, .bounds = {200, 10, 190, 280}, .tabOrder = 1},
    {.name = u"Outer", .kind = ControlKind::Panel, .bounds = {10, 20, 180, 260}, .tabOrder = 0},
    {.name = u"Group",
     .kind = ControlKind::GroupBox,
     .parent = u"Outer",
     .bounds = {20, 110, 150, 100},
     .tabOrder = 2},
    {.name = u"Inner",
     .kind = ControlKind::Panel,
     .parent = u"Outer",
     .bounds = {5, 5, 160, 40},
     .tabOrder = 0},
    {.name = u"Edit", .kind = ControlKind::Edit, .parent = u"Inner", .bounds = {3, 3, 50, 21}, .tabOrder = 0},
    {.name = u"Check",
     .kind = ControlKind::CheckBox,
     .parent = u"Group",
     .bounds = {8, 16, 100, 17},
     .tabOrder = 1},
    {.name = u"Nested",
     .kind = ControlKind::GroupBox,
     .parent = u"Group",
     .bounds = {10, 40, 120, 50},
     .tabOrder = 0},
    {.name = u"Deep", .kind = ControlKind::CheckBox, .parent = u"Nested", .bounds = {6, 12, 50, 17}},
    {.name = u"Radio",
     .kind = ControlKind::RadioGroup,
     .parent = u"Outer",
     .bounds = {20, 50, 116, 60},
     .items = u"A\nB\nC",
     .tabOrder = 1,
     .id = 10,
     .columns = 2},
    {.name = u"Page2",
     .kind = ControlKind::Page,
     .parent = u"Pages",
     .bounds = {4, 24, 182, 252},
     .tabOrder = 1},
    {.name = u"Page1",
     .kind = ControlKind::Page,
     .parent = u"Pages",
     .bounds = {4, 24, 182, 252},
     .tabOrder = 0},
    {.name = u"PageEdit", .kind = ControlKind::Edit, .parent = u"Page1", .bounds = {8, 8, 100, 21}},
    {.name = u"Filler", .kind = ControlKind::Panel, .parent = u"Page2", .options = ControlOption::FillParent},
    {.name = u"OK", .kind = ControlKind::PushButton, .bounds = {10, 290, 75, 25}, .tabOrder = 2, .id = 1},
}};

std::size_t Index(std::u16string_view name) {
    const auto index = FindControl(kNested, name);
    EXPECT_TRUE(index.has_value()) << Ascii(name);
    return index.value_or(0);
}

TEST(FormLayout, TheSampleTablesAreValid) {
    EXPECT_EQ(ValidateForm(kNested), std::vector<FormProblem>{});
    EXPECT_EQ(ValidateForm(kMainFormControls), std::vector<FormProblem>{});
    EXPECT_EQ(ValidateForm(kFindDialogControls), std::vector<FormProblem>{});
    EXPECT_EQ(ValidateForm(kConfigDialogControls), std::vector<FormProblem>{});
}

TEST(FormLayout, PlacesControlsInTheirContainerWindowThroughGroupsAndPageControls) {
    struct Case {
        std::u16string_view control;
        std::optional<std::u16string_view> container;
        FormRect bounds;
    };
    const Case cases[] = {
        {u"Outer", std::nullopt, {10, 20, 180, 260}},  {u"Inner", u"Outer", {5, 5, 160, 40}},
        {u"Edit", u"Inner", {3, 3, 50, 21}},           {u"Group", u"Outer", {20, 110, 150, 100}},
        {u"Check", u"Outer", {28, 126, 100, 17}},      // offset by the group box
        {u"Nested", u"Outer", {30, 150, 120, 50}},     // a group box in a group box
        {u"Deep", u"Outer", {36, 162, 50, 17}},        // offset by both
        {u"Page1", std::nullopt, {204, 34, 182, 252}}, // on the page control's own parent
        {u"PageEdit", u"Page1", {8, 8, 100, 21}},      // a page is a window
        {u"Filler", u"Page2", {0, 0, 182, 252}},       // its parent's whole client area
    };
    for (const Case& c : cases) {
        const ControlPlacement placement = PlaceControl(kNested, kForm, Index(c.control));
        EXPECT_EQ(placement.container, c.container ? std::optional(Index(*c.container)) : std::nullopt)
            << Ascii(c.control);
        EXPECT_EQ(placement.bounds, c.bounds) << Ascii(c.control);
    }
}

TEST(FormLayout, RadioItemsFillTheGroupInColumnsFirstColumnFirst) {
    // 3 items in 2 columns: 2 rows; columns (116 - 16) / 2 wide, rows (60 - 20) / 2 high.
    const FormRect expected[] = {{28, 66, 50, 20}, {28, 86, 50, 20}, {78, 66, 50, 20}};
    for (int item = 0; item < 3; ++item) {
        const ControlPlacement placement = PlaceRadioItem(kNested, kForm, Index(u"Radio"), item);
        EXPECT_EQ(placement.container, Index(u"Outer")) << item;
        EXPECT_EQ(placement.bounds, expected[item]) << item;
    }
    const ControlSpec single{.name = u"One",
                             .kind = ControlKind::RadioGroup,
                             .bounds = {0, 0, 100, 45},
                             .items = u"Only",
                             .columns = 3};
    EXPECT_EQ(PlaceRadioItem(std::span(&single, 1), kForm, 0, 0).bounds, (FormRect{8, 16, 28, 25}));
}

TEST(FormLayout, PositionsInTheWindowAddEachContainersScaledOffset) {
    struct Case {
        std::u16string_view control;
        unsigned dpi;
        FormRect expected;
    };
    const Case cases[] = {
        {u"Edit", 96, {18, 28, 50, 21}},
        // 10 + 5 + 3 scaled one by one: 15 + 8 + 5 (7.5 and 4.5 round up), not 27.
        {u"Edit", 144, {28, 43, 75, 32}},
        {u"Edit", 192, {36, 56, 100, 42}},
        {u"Deep", 96, {46, 182, 50, 17}},
        // Outer (15, 30) plus the group-relative offset (36, 162) scaled as one: (54, 243).
        {u"Deep", 144, {69, 273, 75, 26}},
        {u"PageEdit", 120, {265, 53, 125, 26}}, // 255 + 10, 43 + 10
        {u"OK", 144, {15, 435, 113, 38}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormPosition(kNested, kForm, Index(c.control), c.dpi), c.expected)
            << Ascii(c.control) << " at " << c.dpi;
    }
}

TEST(FormLayout, TheMainWindowsViewsFillItsClientArea) {
    for (const unsigned dpi : {96u, 144u}) {
        const FormRect client{0, 0, ScaleToDpi(527, dpi), ScaleToDpi(336, dpi)};
        for (const std::u16string_view name : {u"ImageBox", u"Memo"}) {
            const auto index = FindControl(kMainFormControls, name);
            ASSERT_TRUE(index) << Ascii(name);
            EXPECT_EQ(FormPosition(kMainFormControls, kMainFormSpec, *index, dpi), client) << Ascii(name);
        }
    }
    const auto image = FindControl(kMainFormControls, u"Image");
    ASSERT_TRUE(image);
    EXPECT_EQ(PlaceControl(kMainFormControls, kMainFormSpec, *image),
              (ControlPlacement{FindControl(kMainFormControls, u"ImageBox"), {0, 0, 105, 105}}));
}

TEST(FormLayout, CreationOrderFollowsTabOrderDepthFirstWithPagesBeforeTheirTabs) {
    std::vector<std::u16string_view> names;
    for (const std::size_t index : CreationOrder(kNested)) {
        names.push_back(kNested[index].name);
    }
    const std::vector<std::u16string_view> expected{u"Outer",  u"Inner",  u"Edit",  u"Radio", u"Group",
                                                    u"Nested", u"Deep",   u"Check", u"Page1", u"PageEdit",
                                                    u"Page2",  u"Filler", u"Pages", u"OK"};
    EXPECT_EQ(names, expected);
}

TEST(FormLayout, ListItemsAreSplitAtLineFeeds) {
    EXPECT_EQ(ListItems(u""), std::vector<std::u16string_view>{});
    EXPECT_EQ(ListItems(u"上へ(&U)"), std::vector<std::u16string_view>{u"上へ(&U)"});
    EXPECT_EQ(ListItems(u"A\n\nB"), (std::vector<std::u16string_view>{u"A", u"", u"B"}));
}

// A valid table, and one change to it per fault.
TEST(FormLayout, ListColumnsTakeTheirWidthsOrShareTheList) {
    EXPECT_EQ(ListColumns(u"形式\t200\n拡張子\t100\n分類"),
              (std::vector<ListColumn>{{u"形式", 200}, {u"拡張子", 100}, {u"分類", 0}}));
    EXPECT_THROW(ListColumns(u"形式\t2x"), std::invalid_argument);
    // Given widths scale; a column without one takes the list view's usual width.
    EXPECT_EQ(ListColumnWidths(ListColumns(u"a\t200\nb\t100\nc"), 390, 144),
              (std::vector<int>{300, 150, 75}));
    // None given: the client area shared, the last column taking the rest.
    EXPECT_EQ(ListColumnWidths(ListColumns(u"a\nb\nc"), 100, 96), (std::vector<int>{33, 33, 34}));
    EXPECT_EQ(ListColumnWidths({}, 80, 96), (std::vector<int>{80}));
}

TEST(FormLayout, ValidationFindsEachFault) {
    const std::vector<ControlSpec> valid{
        {.name = u"Panel", .kind = ControlKind::Panel, .bounds = {0, 0, 200, 100}, .tabOrder = 0},
        {.name = u"Edit",
         .kind = ControlKind::Edit,
         .parent = u"Panel",
         .bounds = {8, 8, 100, 21},
         .id = 100},
        {.name = u"Radio",
         .kind = ControlKind::RadioGroup,
         .parent = u"Panel",
         .bounds = {8, 40, 100, 45},
         .items = u"A\nB",
         .tabOrder = 1,
         .id = 110,
         .columns = 2,
         .itemIndex = 1},
        {.name = u"Pages", .kind = ControlKind::PageControl, .bounds = {0, 100, 200, 100}, .tabOrder = 1},
        {.name = u"Page", .kind = ControlKind::Page, .parent = u"Pages", .bounds = {4, 24, 192, 72}},
        {.name = u"Find",
         .kind = ControlKind::PushButton,
         .bounds = {210, 8, 75, 25},
         .options = ControlOption::Default | ControlOption::TabStop,
         .tabOrder = 2,
         .id = 120},
        {.name = u"Cancel",
         .kind = ControlKind::PushButton,
         .bounds = {210, 40, 75, 25},
         .options = ControlOption::Cancel,
         .tabOrder = 3,
         .id = kCancelButtonId},
        {.name = u"Check",
         .kind = ControlKind::CheckBox,
         .bounds = {210, 70, 75, 17},
         .tabOrder = 4,
         .id = 130},
    };
    ASSERT_EQ(ValidateForm(valid), std::vector<FormProblem>{});

    struct Case {
        const char* what;
        std::function<void(std::vector<ControlSpec>&)> change;
        std::vector<FormProblem> expected;
    };
    using F = FormFault;
    const Case cases[] = {
        {"empty name", [](auto& t) { t[1].name = u""; }, {{F::EmptyName, 1}}},
        {"same name twice", [](auto& t) { t[7].name = u"Edit"; }, {{F::DuplicateName, 7}}},
        {"same ID twice", [](auto& t) { t[7].id = 100; }, {{F::DuplicateId, 7}}},
        {"a radio item's ID", [](auto& t) { t[7].id = 112; }, {{F::DuplicateId, 7}}},
        {"radio items over an ID", [](auto& t) { t[2].id = 99; }, {{F::DuplicateId, 2}}},
        {"unknown parent", [](auto& t) { t[1].parent = u"Nowhere"; }, {{F::MissingParent, 1}}},
        {"parent after child", [](auto& t) { t[1].parent = u"Check"; }, {{F::ParentAfterChild, 1}}},
        {"its own parent", [](auto& t) { t[1].parent = u"Edit"; }, {{F::ParentAfterChild, 1}}},
        {"child of an edit", [](auto& t) { t[2].parent = u"Edit"; }, {{F::ParentCannotHold, 2}}},
        {"child of a radio group", [](auto& t) { t[7].parent = u"Radio"; }, {{F::ParentCannotHold, 7}}},
        {"page outside a page control",
         [](auto& t) {
             t[4].parent = u"Panel";
             t[4].tabOrder = 9;
         },
         {{F::ParentCannotHold, 4}}},
        {"page without a parent",
         [](auto& t) {
             t[4].parent = u"";
             t[4].tabOrder = 9;
         },
         {{F::ParentCannotHold, 4}}},
        {"edit on a page control", [](auto& t) { t[7].parent = u"Pages"; }, {{F::ParentCannotHold, 7}}},
        {"image outside a scroll box",
         [](auto& t) { t[7].kind = ControlKind::Image; },
         {{F::ParentCannotHold, 7}}},
        {"same tab order among siblings", [](auto& t) { t[2].tabOrder = 0; }, {{F::DuplicateTabOrder, 2}}},
        {"second default",
         [](auto& t) { t[6].options = t[6].options | ControlOption::Default; },
         {{F::SecondDefault, 6}}},
        {"second cancel",
         [](auto& t) {
             t[5].options = ControlOption::Cancel;
             t[5].id = kCancelButtonId;
         },
         {{F::SecondCancel, 6}, {F::DuplicateId, 6}}},
        {"default check box",
         [](auto& t) { t[7].options = ControlOption::Default; },
         {{F::NotAPushButton, 7}}},
        {"cancel check box",
         [](auto& t) {
             t[7].options = ControlOption::Cancel;
             t[7].id = kCancelButtonId;
         },
         {{F::NotAPushButton, 7}, {F::DuplicateId, 7}}},
        {"cancel with another ID", [](auto& t) { t[6].id = 140; }, {{F::CancelIdMismatch, 6}}},
        {"the cancel ID without cancel", [](auto& t) { t[6].options = {}; }, {{F::CancelIdMismatch, 6}}},
        {"negative width", [](auto& t) { t[1].bounds.width = -1; }, {{F::NegativeSize, 1}}},
        {"negative height", [](auto& t) { t[5].bounds.height = -25; }, {{F::NegativeSize, 5}}},
        {"no columns", [](auto& t) { t[2].columns = 0; }, {{F::BadRadioGroup, 2}}},
        {"first item beyond the items", [](auto& t) { t[2].itemIndex = 2; }, {{F::BadRadioGroup, 2}}},
        {"first item below none", [](auto& t) { t[2].itemIndex = -2; }, {{F::BadRadioGroup, 2}}},
    };
    for (const Case& c : cases) {
        std::vector<ControlSpec> table = valid;
        c.change(table);
        EXPECT_EQ(ValidateForm(table), c.expected) << c.what;
    }
}

} // namespace
} // namespace nerula
