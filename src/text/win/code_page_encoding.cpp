#include "text/win/code_page_encoding.h"

#include <climits>

#include <windows.h>

#include "common/exception.h"
#include "text/code_pages.h"
#include "text/iso2022jp_decoder.h"
#include "text/text_loading.h"

namespace nerula {
namespace {

class SystemEncoding final : public Encoding {
public:
    explicit SystemEncoding(std::uint32_t codePage) : codePage_(codePage) {}

    std::uint32_t CodePage() const override { return codePage_; }
    std::span<const std::uint8_t> ByteOrderMark() const override { return nerula::ByteOrderMark(codePage_); }

    std::u16string Decode(std::span<const std::uint8_t> bytes) const override {
        if (bytes.empty()) {
            return {};
        }
        if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
            ThrowNoCharacterMapping();
        }
        // The length first, then exactly that much: a buffer of one unit per byte would
        // be cleared and its pages touched in full, twice the text's size for Shift-JIS
        // and three times for UTF-8, which costs more than the second pass.
        const auto* source = reinterpret_cast<const char*>(bytes.data());
        const auto sourceLength = static_cast<int>(bytes.size());
        const int needed = MultiByteToWideChar(codePage_, 0, source, sourceLength, nullptr, 0);
        if (needed <= 0) {
            ThrowNoCharacterMapping();
        }
        std::u16string text;
        // Room for the CR that LoadText puts before each lone LF (and the LF after each
        // lone CR), so that it widens the text where it is. In the ASCII-based code pages
        // these bytes are always line ends; in others the room may be off, which costs
        // only time.
        text.reserve(static_cast<std::size_t>(needed) + CountLineEndBytes(bytes));
        text.resize(static_cast<std::size_t>(needed));
        const int length = MultiByteToWideChar(codePage_, 0, source, sourceLength,
                                               reinterpret_cast<wchar_t*>(text.data()), needed);
        if (length <= 0) {
            ThrowNoCharacterMapping();
        }
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

private:
    std::uint32_t codePage_;
};

// Nerula's own iso-2022-jp, for systems without a converter for it (Wine has none).
class OwnIso2022JpEncoding final : public Encoding {
public:
    std::uint32_t CodePage() const override { return code_page::kIso2022Jp; }
    std::span<const std::uint8_t> ByteOrderMark() const override { return {}; }
    std::u16string Decode(std::span<const std::uint8_t> bytes) const override {
        std::u16string text = DecodeIso2022Jp(bytes);
        if (text.empty() && !bytes.empty()) {
            ThrowNoCharacterMapping();
        }
        return text;
    }
};

bool SystemKnows(std::uint32_t codePage) {
    CPINFO info{};
    return GetCPInfo(codePage, &info) != FALSE;
}

} // namespace

std::unique_ptr<Encoding> CreateCodePageEncoding(std::uint32_t codePage, std::uint32_t ansiCodePage) {
    const ConverterChoice choice = ConverterFor(codePage, ansiCodePage);
    switch (choice.kind) {
    case ConverterKind::Utf16LittleEndian:
        return MakeUtf16Encoding(false);
    case ConverterKind::Utf16BigEndian:
        return MakeUtf16Encoding(true);
    case ConverterKind::System:
        break;
    }
    if (SystemKnows(choice.codePage)) {
        return std::make_unique<SystemEncoding>(choice.codePage);
    }
    if (choice.codePage == code_page::kIso2022Jp) {
        return std::make_unique<OwnIso2022JpEncoding>();
    }
    throw Exception(u"コード ページが無効です");
}

} // namespace nerula
