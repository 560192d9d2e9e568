#include "options/association_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nerula {
namespace {

std::u16string Upper(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    }
    return folded;
}

TEST(IsTextType, TxtfileAlwaysOtherwiseAProgIdPerceivedAsText) {
    EXPECT_TRUE(IsTextType(u"TXTFILE", u""));
    EXPECT_TRUE(IsTextType(u"inifile", u"Text"));
    EXPECT_FALSE(IsTextType(u"", u"text"));
    EXPECT_FALSE(IsTextType(u"jpegfile", u"image"));
}

TEST(ListedEntry, ListsTextTypesAndThePluginsTypesWithTheirClassification) {
    struct Case {
        const char* name;
        ExtensionFacts facts;
        bool listed;
        RowEntry entry;
    };
    const Case cases[] = {
        {"txtfile without a perceived type",
         {u".txt", u"txtfile", u"", false, u"テキスト文書", false},
         true,
         {u"テキスト文書", u"text"}},
        {"perceived as text without a ProgID", {u".log", u"", u"text", false, u"", false}, false, {}},
        {"a plug-in's type without a key",
         {u".mag", u"", u"", true, u"MAG format", false},
         true,
         {u"MAG format", u"image"}},
        {"a plug-in's type perceived as video",
         {u".avi", u"avifile", u"video", true, u"ビデオ", false},
         true,
         {u"ビデオ", u"video"}},
        {"no description: the ProgID",
         {u".pic", u"picfile", u"", true, u"", false},
         true,
         {u"picfile", u"image"}},
        {"neither text nor a plug-in's",
         {u".exe", u"exefile", u"application", false, u"アプリ", false},
         false,
         {}},
        {"not an extension", {u"txtfile", u"txtfile", u"", false, u"", false}, false, {}},
        {"empty", {u"", u"txtfile", u"", false, u"", false}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RowEntry entry;
        ASSERT_EQ(ListedEntry(c.facts, entry), c.listed);
        if (c.listed) {
            EXPECT_EQ(entry.caption, c.entry.caption);
            EXPECT_EQ(entry.classification, c.entry.classification);
        }
    }
}

TEST(AssociationRows, ExtensionsOfOneDescriptionShareTheFirstOnesRow) {
    AssociationRows rows(&Upper);
    rows.Add(u"JPEG 画像", u".jpg", true, u"image");
    rows.Add(u"Bitmap", u".bmp", false, u"image");
    rows.Add(u"jpeg 画像", u".jpeg", false, u"text");
    ASSERT_EQ(rows.Rows().size(), 2u);
    const AssociationRow& jpeg = rows.Rows()[0];
    EXPECT_EQ(jpeg.ExtensionText(), u".jpg;.jpeg");
    EXPECT_TRUE(jpeg.checked);
    EXPECT_TRUE(jpeg.recorded);
    EXPECT_EQ(jpeg.classification, u"image");
}

TEST(AllCheckOf, UncheckedCheckedOrGreyedByTheRowsOfExactlyThatClassification) {
    const std::vector<AssociationRow> rows{
        {u"a", {u".a"}, u"image", true, true}, {u"b", {u".b"}, u"image", false, false},
        {u"c", {u".c"}, u"Image", true, true}, {u"d", {u".d"}, u"video", true, true},
        {u"e", {u".e"}, u"text", true, true},
    };
    EXPECT_EQ(AllCheckOf(rows, u"image"), AllCheckState::Greyed);
    EXPECT_EQ(AllCheckOf(rows, u"text"), AllCheckState::Checked);
    EXPECT_EQ(AllCheckOf({}, u"image"), AllCheckState::Unchecked);
    EXPECT_EQ(AllCheckOf({rows[1]}, u"image"), AllCheckState::Unchecked);

    EXPECT_EQ(ClickedAllCheck(AllCheckState::Greyed), AllCheckState::Checked);
    EXPECT_EQ(ClickedAllCheck(AllCheckState::Unchecked), AllCheckState::Checked);
    EXPECT_EQ(ClickedAllCheck(AllCheckState::Checked), AllCheckState::Unchecked);
}

TEST(AssociationNames, TheRegistrysNamesThenTheTablesMissingOnes) {
    EXPECT_EQ(NamesToList({u".txt", u".JPG", u"txtfile"}, {u".jpg", u".mag", u".BMP"}, &Upper),
              (std::vector<std::u16string>{u".txt", u".JPG", u"txtfile", u".mag", u".BMP"}));
    EXPECT_EQ(OwnProgId(u".mag"), u"Nerula.magFile");
    EXPECT_EQ(VerbCommand(u"C:\\Program Files\\Nerula\\Nerula.exe"),
              u"\"C:\\Program Files\\Nerula\\Nerula.exe\" \"%1\"");
}

} // namespace
} // namespace nerula
