#include "settings/viewer_settings.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/integer_text.h"
#include "common/text_format.h"

namespace nerula {
namespace {

// An INI file in memory with the file class's reading rules: integers by the shared
// integer rule, Booleans as integers, anything unreadable giving the default.
class MemoryIni {
public:
    std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                              const std::u16string& defaultValue) const {
        const auto found = values_.find({section, key});
        return found == values_.end() ? defaultValue : found->second;
    }
    std::int32_t ReadInteger(const std::u16string& section, const std::u16string& key,
                             std::int32_t defaultValue) const {
        return ParseInt32(ReadString(section, key, u"")).value_or(defaultValue);
    }
    bool ReadBool(const std::u16string& section, const std::u16string& key, bool defaultValue) const {
        return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
    }
    void WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
        values_[{section, key}] = value;
        order_.push_back(section + u"." + key);
    }
    void WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value) {
        WriteString(section, key, ToDecimal(value));
    }
    void WriteBool(const std::u16string& section, const std::u16string& key, bool value) {
        WriteString(section, key, value ? u"1" : u"0");
    }

    const std::vector<std::u16string>& Order() const { return order_; }

private:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
    std::vector<std::u16string> order_;
};

TEST(ViewerSettingsTest, AnEmptyFileGivesTheFirstRunDefaults) {
    const ViewerSettings settings = ReadViewerSettings(MemoryIni(), 1252);
    EXPECT_EQ(settings.pluginPath, u"");
    EXPECT_EQ(settings.viewStyle, PictureViewStyle::FitToWindow);
    EXPECT_TRUE(settings.wordWrap);
    EXPECT_EQ(settings.tabWidth, 4);
    EXPECT_EQ(settings.fontName, u"FixedSys");
    EXPECT_EQ(settings.fontSize, 9);
    EXPECT_EQ(settings.fontStyle, 0);
    EXPECT_TRUE(settings.autoEncode);
    EXPECT_EQ(settings.codePage, 1252u);
    EXPECT_EQ(settings, DefaultViewerSettings(1252));
}

TEST(ViewerSettingsTest, WritesAllNineKeysInTheFilesOrderAndReadsThemBack) {
    ViewerSettings written = DefaultViewerSettings(932);
    written.pluginPath = u"C:\\プラグイン";
    written.viewStyle = static_cast<PictureViewStyle>(3);
    written.wordWrap = false;
    written.tabWidth = 8;
    written.fontName = u"ＭＳ ゴシック";
    written.fontSize = 12;
    written.fontStyle = 10;
    written.autoEncode = false;
    written.codePage = 65001;
    MemoryIni ini;
    WriteViewerSettings(ini, written);
    EXPECT_EQ(ini.Order(),
              (std::vector<std::u16string>{u"Image.PluginPath", u"Image.ViewStyle", u"Text.WordWrap",
                                           u"Text.TabWidth", u"Text.FontName", u"Text.FontSize",
                                           u"Text.FontStyle", u"Text.AutoEncode", u"Text.CodePage"}));
    EXPECT_EQ(ini.ReadString(u"Text", u"FontStyle", u""), u"10");
    EXPECT_EQ(ini.ReadString(u"Text", u"WordWrap", u""), u"0");
    EXPECT_EQ(ReadViewerSettings(ini, 1252), written);
}

TEST(ViewerSettingsTest, FontStyleKeepsTheLowByteAndCodePageReadsAboveTwoToTheThirtyOne) {
    MemoryIni ini;
    ini.WriteString(u"Text", u"FontStyle", u"261"); // 0x105
    ini.WriteString(u"Text", u"CodePage", u"-1");
    ini.WriteString(u"Text", u"TabWidth", u"four");
    const ViewerSettings settings = ReadViewerSettings(ini, 1252);
    EXPECT_EQ(settings.fontStyle, 5);
    EXPECT_EQ(settings.codePage, 0xFFFFFFFFu);
    EXPECT_EQ(settings.tabWidth, 4);
}

} // namespace
} // namespace nerula
