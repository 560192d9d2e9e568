#include "app/app_title.h"

#include <gtest/gtest.h>

#include "common/text_format.h"
#include "test_text.h"

namespace nerula {
namespace {

std::u16string AsciiLowerCase(std::u16string_view text) {
    std::u16string lower(text);
    for (auto& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

TEST(AppTitleTest, ProgramTitleComesFromTheModuleName) {
    EXPECT_EQ(ProgramTitle(u"C:\\Program Files\\Nerula\\NERULA.EXE", &AsciiLowerCase), u"Nerula");
    EXPECT_EQ(ProgramTitle(u"C:\\tools\\nerula.exe", &AsciiLowerCase), u"nerula");
    // Cut at the first dot, not the last.
    EXPECT_EQ(ProgramTitle(u"C:\\x.y\\VIEW.OLD.EXE", &AsciiLowerCase), u"View");
    EXPECT_EQ(ProgramTitle(u"NERULA", &AsciiLowerCase), u"Nerula");
    EXPECT_EQ(ProgramTitle(u"C:\\dir\\.exe", &AsciiLowerCase), u"");
}

TEST(AppTitleTest, DocumentTitleIsThePathWithTheProgramName) {
    EXPECT_EQ(DocumentTitle(u"C:\\a\\b.txt"), u"C:\\a\\b.txt - Nerula");
}

TEST(AppTitleTest, ErrorTextGetsAFullStopOnlyAfterCharactersAboveIt) {
    struct Case {
        const char16_t* message;
        const char16_t* shown;
    };
    const Case cases[] = {
        {u"\u30af\u30ea\u30c3\u30d7\u30dc\u30fc\u30c9 x \u3092\u958b\u3051\u307e\u305b\u3093",
         u"\u30af\u30ea\u30c3\u30d7\u30dc\u30fc\u30c9 x \u3092\u958b\u3051\u307e\u305b\u3093."},
        {u"Access denied", u"Access denied."},
        {u"ends with space ", u"ends with space "},
        {u"ends with stop.", u"ends with stop."},
        {u"ends with comma,", u"ends with comma,"}, // "," is below "."
        {u"ends with slash/", u"ends with slash/."},
        {u"\u3002", u"\u3002."},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorBoxText(c.message), c.shown) << test::Printable(c.message);
    }
}

TEST(AppTitleTest, FileNamePartFollowsTheLastBackslashOrColon) {
    EXPECT_EQ(FileNamePart(u"C:\\a\\b.txt"), u"b.txt");
    EXPECT_EQ(FileNamePart(u"C:b.txt"), u"b.txt");
    EXPECT_EQ(FileNamePart(u"b.txt"), u"b.txt");
    EXPECT_EQ(FileNamePart(u"C:\\dir\\"), u"");
}

} // namespace
} // namespace nerula
