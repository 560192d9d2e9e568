#include "image/plugin_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/exception.h"
#include "test_text.h"

namespace nerula {
namespace {

bool SameAscii(std::u16string_view a, std::u16string_view b) {
    return AsciiUpper(a) == AsciiUpper(b);
}

TEST(PluginTable, LinesFollowTheFiltersInOrder) {
    PluginTable table;
    table.Reset();
    table.AddPlugin(u"*.pic;*.Pi2", u"C:\\p\\a.spi");
    table.AddPlugin(u"*.bmp;", u"C:\\p\\b.spi");
    table.AddPlugin(u"*.pic", u"C:\\p\\c.spi");
    const std::vector<std::u16string> expected{
        u".bmp=",
        u".dib=",
        u".PIC=C:\\p\\a.spi",
        u".PI2=C:\\p\\a.spi",
        u".BMP=C:\\p\\b.spi",
        u"=C:\\p\\b.spi",
        u".PIC=C:\\p\\c.spi",
    };
    EXPECT_EQ(table.Lines(), expected);
}

TEST(PluginTable, FindTakesTheFirstMatchingName) {
    PluginTable table;
    table.Reset();
    table.AddPlugin(u"*.pic;", u"C:\\a.spi");
    table.AddPlugin(u"*.bmp;*.pic", u"C:\\b.spi");
    table.SetLines([&] {
        auto lines = table.Lines();
        lines.push_back(u"no equals sign");
        return lines;
    }());
    struct Case {
        std::u16string extension;
        std::optional<std::u16string> value;
    };
    const std::vector<Case> cases{
        {u".PIC", u"C:\\a.spi"}, {u".pic", u"C:\\a.spi"},
        {u".BMP", u""},      // the built-in line comes first, even though a plug-in claims BMP
        {u"", u"C:\\a.spi"}, // the empty name from a filter ending in ";"
        {u".XYZ", std::nullopt}, {u"no equals sign", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.Find(c.extension, SameAscii), c.value) << test::Printable(c.extension);
    }
}

TEST(PathExtension, FromTheLastDotUnlessAFolderFollows) {
    struct Case {
        std::u16string path;
        std::u16string extension;
    };
    const std::vector<Case> cases{
        {u"C:\\pics\\photo.jpeg", u".JPEG"},
        {u"C:\\pics\\a.b.Pic", u".PIC"},
        {u"C:\\pics.d\\noext", u""},
        {u"C:\\pics\\.BMP", u".BMP"},
        {u"C:\\pics\\trailing.", u"."},
        {u"D:name", u""},
        {u"ä.ä", u".ä"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathExtension(c.path), c.extension) << test::Printable(c.path);
    }
}

TEST(PluginSearchFolders, SkipsEmptyAndRelativePieces) {
    const std::vector<std::u16string> folders = PluginSearchFolders(
        u"", u"D:\\Susie\\plugins", u"C:\\Windows;;bin;.;C:relative;\\rooted;\\\\srv\\share;e:/x/");
    const std::vector<std::u16string> expected{u"D:\\Susie\\plugins", u"C:\\Windows", u"\\\\srv\\share",
                                               u"e:/x/"};
    EXPECT_EQ(folders, expected);
    EXPECT_EQ(PluginSearchFolders(u"C:\\mine", u"", u""), std::vector<std::u16string>{u"C:\\mine"});
}

TEST(CombinePath, AddsABackslashOnlyWhenNeeded) {
    EXPECT_EQ(CombinePath(u"C:\\p", u"*.spi"), u"C:\\p\\*.spi");
    EXPECT_EQ(CombinePath(u"C:\\p\\", u"*.spi"), u"C:\\p\\*.spi");
    EXPECT_EQ(CombinePath(u"C:/p/", u"*.spi"), u"C:/p/*.spi");
    EXPECT_EQ(CombinePath(u"C:", u"*.spi"), u"C:*.spi");
    const std::vector<std::u16string> bad{u"\"C:\\quoted\"", u"C:\\a|b", u"C:\\<x>", u"C:\\\u0001"};
    for (const std::u16string& folder : bad) {
        try {
            CombinePath(folder, u"*.spi");
            ADD_FAILURE() << test::Printable(folder);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), u"パスに無効な文字が含まれています");
        }
    }
}

} // namespace
} // namespace nerula
