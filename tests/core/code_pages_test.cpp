#include "text/code_pages.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_text.h"

namespace nerula {
namespace {

TEST(CodePageName, NamesTableValuesAnsiAndNumbers) {
    struct Case {
        std::uint32_t codePage;
        std::uint32_t ansi;
        std::u16string name;
    };
    const std::vector<Case> cases{
        {932, 1252, u"Shift-JIS"},         {1200, 932, u"UTF-16"},  {1201, 932, u"UTF-16BE"},
        {1252, 932, u"Latin-ANSI"},        {12000, 932, u"UTF-32"}, {12001, 932, u"UTF-32BE"},
        {20127, 932, u"US-ASCII"},         {20932, 932, u"JIS"},    {50220, 932, u"iso-2022-jp"},
        {51932, 932, u"EUC-JP"},           {65001, 932, u"UTF-8"},  {0, 932, u"Shift-JIS"},
        {0, 1252, u"Latin-ANSI"},          {0, 1251, u"1251"},      {1251, 1252, u"1251"},
        {4294967295u, 932, u"4294967295"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::Printable(CodePageName(c.codePage, c.ansi)), test::Printable(c.name))
            << c.codePage << " with ANSI " << c.ansi;
    }
}

TEST(ConverterFor, TableRowsAndFallbackToAnsi) {
    struct Case {
        std::uint32_t codePage;
        ConverterKind kind;
        std::uint32_t converterCodePage;
    };
    const std::vector<Case> cases{
        {932, ConverterKind::System, 932},
        {1200, ConverterKind::Utf16LittleEndian, 1200},
        {1201, ConverterKind::Utf16BigEndian, 1201},
        {20932, ConverterKind::System, 20932},
        {50220, ConverterKind::System, 50220},
        {51932, ConverterKind::System, 20932},
        {65001, ConverterKind::System, 65001},
        {1252, ConverterKind::System, 1251},
        {12000, ConverterKind::System, 1251},
        {20127, ConverterKind::System, 1251},
        {0, ConverterKind::System, 1251},
        {866, ConverterKind::System, 1251},
    };
    for (const Case& c : cases) {
        const ConverterChoice choice = ConverterFor(c.codePage, 1251);
        EXPECT_EQ(choice.kind, c.kind) << c.codePage;
        EXPECT_EQ(choice.codePage, c.converterCodePage) << c.codePage;
    }
}

TEST(ByteOrderMark, OnlyUtf8AndUtf16HaveOne) {
    EXPECT_EQ(std::vector<std::uint8_t>(ByteOrderMark(65001).begin(), ByteOrderMark(65001).end()),
              (std::vector<std::uint8_t>{0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(std::vector<std::uint8_t>(ByteOrderMark(1200).begin(), ByteOrderMark(1200).end()),
              (std::vector<std::uint8_t>{0xFF, 0xFE}));
    EXPECT_EQ(std::vector<std::uint8_t>(ByteOrderMark(1201).begin(), ByteOrderMark(1201).end()),
              (std::vector<std::uint8_t>{0xFE, 0xFF}));
    for (const std::uint32_t none : {932u, 20932u, 50220u, 1252u, 0u}) {
        EXPECT_TRUE(ByteOrderMark(none).empty()) << none;
    }
}

TEST(CodePageSetting, MenuValuesAreCheckedOthersFallBackToAnsi) {
    CodePageSetting japanese(932);
    EXPECT_EQ(japanese.Write(51932), std::optional<std::uint32_t>(51932));
    EXPECT_EQ(japanese.Value(), 51932u);
    EXPECT_EQ(japanese.Write(20932), std::optional<std::uint32_t>(20932));
    EXPECT_EQ(japanese.Write(20932), std::nullopt) << "an unchanged value moves nothing";
    // A value without an item lands on the ANSI code page and checks its item.
    EXPECT_EQ(japanese.Write(1251), std::optional<std::uint32_t>(932));
    EXPECT_EQ(japanese.Value(), 932u);

    CodePageSetting western(1252);
    EXPECT_EQ(western.Write(65001), std::optional<std::uint32_t>(65001));
    // 1252 has no item: the value falls back, and no check mark moves.
    EXPECT_EQ(western.Write(1251), std::nullopt);
    EXPECT_EQ(western.Value(), 1252u);
    EXPECT_EQ(western.Write(static_cast<std::uint32_t>(-1)), std::nullopt);
    EXPECT_EQ(western.Value(), 1252u);
}

} // namespace
} // namespace nerula
