#include "text/code_pages.h"

#include <array>

#include "common/text_format.h"

namespace nerula {
namespace {

struct NamedCodePage {
    std::uint32_t codePage;
    const char16_t* name;
};

constexpr std::array kNames{
    NamedCodePage{code_page::kShiftJis, u"Shift-JIS"},
    NamedCodePage{code_page::kUtf16, u"UTF-16"},
    NamedCodePage{code_page::kUtf16Be, u"UTF-16BE"},
    NamedCodePage{code_page::kLatinAnsi, u"Latin-ANSI"},
    NamedCodePage{code_page::kUtf32, u"UTF-32"},
    NamedCodePage{code_page::kUtf32Be, u"UTF-32BE"},
    NamedCodePage{code_page::kUsAscii, u"US-ASCII"},
    NamedCodePage{code_page::kJis, u"JIS"},
    NamedCodePage{code_page::kIso2022Jp, u"iso-2022-jp"},
    NamedCodePage{code_page::kEucJp, u"EUC-JP"},
    NamedCodePage{code_page::kUtf8, u"UTF-8"},
};

constexpr std::array<std::uint8_t, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> kUtf16Mark{0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BeMark{0xFE, 0xFF};

} // namespace

std::u16string CodePageName(std::uint32_t codePage, std::uint32_t ansiCodePage) {
    const std::uint32_t named = codePage == 0 ? ansiCodePage : codePage;
    for (const NamedCodePage& entry : kNames) {
        if (entry.codePage == named) {
            return entry.name;
        }
    }
    return ToDecimal(named);
}

bool HasEncodingMenuItem(std::uint32_t codePage) {
    switch (codePage) {
    case code_page::kShiftJis:
    case code_page::kUtf16:
    case code_page::kUtf16Be:
    case code_page::kJis:
    case code_page::kIso2022Jp:
    case code_page::kEucJp:
    case code_page::kUtf8:
        return true;
    default:
        return false;
    }
}

ConverterChoice ConverterFor(std::uint32_t codePage, std::uint32_t ansiCodePage) {
    switch (codePage) {
    case code_page::kUtf16:
        return {ConverterKind::Utf16LittleEndian, code_page::kUtf16};
    case code_page::kUtf16Be:
        return {ConverterKind::Utf16BigEndian, code_page::kUtf16Be};
    case code_page::kShiftJis:
    case code_page::kJis:
    case code_page::kIso2022Jp:
    case code_page::kUtf8:
        return {ConverterKind::System, codePage};
    case code_page::kEucJp:
        return {ConverterKind::System, code_page::kJis};
    default:
        return {ConverterKind::System, ansiCodePage};
    }
}

std::span<const std::uint8_t> ByteOrderMark(std::uint32_t converterCodePage) {
    switch (converterCodePage) {
    case code_page::kUtf8:
        return kUtf8Mark;
    case code_page::kUtf16:
        return kUtf16Mark;
    case code_page::kUtf16Be:
        return kUtf16BeMark;
    default:
        return {};
    }
}

std::optional<std::uint32_t> CodePageSetting::Write(std::uint32_t value) {
    if (value == value_) {
        return std::nullopt;
    }
    value_ = value;
    if (HasEncodingMenuItem(value)) {
        return value;
    }
    return Write(ansi_);
}

} // namespace nerula
