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
    SystemEncoding(std::uint32_t codePage, bool piecewise) : codePage_(codePage), piecewise_(piecewise) {}

    std::uint32_t CodePage() const override { return codePage_; }
    std::span<const std::uint8_t> ByteOrderMark() const override { return nerula::ByteOrderMark(codePage_); }

    std::u16string Decode(std::span<const std::uint8_t> bytes) const override {
        if (bytes.empty()) {
            return {};
        }
        if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
            ThrowNoCharacterMapping();
        }
        return piecewise_ ? DecodeInPieces(bytes) : DecodeMeasured(bytes);
    }

private:
    // Converts line by line in pieces of about this many bytes: small enough that each
    // piece's room, cleared before the conversion writes it, is still in the cache.
    static constexpr std::size_t kPiece = 64 * 1024;

    // One conversion pass. A buffer of one unit per byte for the whole text would be
    // cleared and its pages touched in full, twice the text's size for Shift-JIS and three
    // times for UTF-8; asking the length first would read the bytes twice. Piece by piece,
    // only the pages the text needs are touched, once.
    std::u16string DecodeInPieces(std::span<const std::uint8_t> bytes) const {
        std::u16string text;
        // Reserving touches no page. These code pages make at most one unit of a byte,
        // and the room for line breaks lets LoadText widen the text where it is.
        text.reserve(bytes.size() + CountLineEndBytes(bytes));
        while (!bytes.empty()) {
            const std::size_t piece = PieceLength(bytes);
            const std::size_t start = text.size();
            text.resize(start + piece);
            const int length = MultiByteToWideChar(
                codePage_, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(piece),
                reinterpret_cast<wchar_t*>(text.data() + start), static_cast<int>(piece));
            if (length <= 0) {
                ThrowNoCharacterMapping();
            }
            text.resize(start + static_cast<std::size_t>(length));
            bytes = bytes.subspan(piece);
        }
        return text;
    }

    // Up to a piece's worth of bytes ending just after a line feed, which ends a character
    // in every code page decoded in pieces; the rest of the bytes when there is no line
    // feed to end on.
    static std::size_t PieceLength(std::span<const std::uint8_t> bytes) {
        if (bytes.size() <= kPiece) {
            return bytes.size();
        }
        const auto begin = bytes.begin();
        const auto end = begin + static_cast<std::ptrdiff_t>(kPiece);
        for (auto at = end; at != begin; --at) {
            if (*(at - 1) == '\n') {
                return static_cast<std::size_t>(at - begin);
            }
        }
        return bytes.size();
    }

    // For the other code pages: the length first, then exactly that much.
    std::u16string DecodeMeasured(std::span<const std::uint8_t> bytes) const {
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

    std::uint32_t codePage_;
    bool piecewise_;
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

// Whether the converter can take a text a piece at a time, cut after any line feed, and
// makes at most one unit of a byte: the single-byte code pages, and the multi-byte ones
// whose converters keep no state between characters and never use a line feed's byte
// inside one. (Others, iso-2022-jp first, are decoded in one call.)
bool DecodesInPieces(std::uint32_t codePage, const CPINFO& info) {
    switch (codePage) {
    case code_page::kShiftJis:
    case code_page::kJis:
    case code_page::kEucJp:
    case code_page::kUtf8:
    case 936:
    case 949:
    case 950:
        return true;
    default:
        return info.MaxCharSize == 1;
    }
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
    CPINFO info{};
    if (GetCPInfo(choice.codePage, &info)) {
        return std::make_unique<SystemEncoding>(choice.codePage, DecodesInPieces(choice.codePage, info));
    }
    if (choice.codePage == code_page::kIso2022Jp) {
        return std::make_unique<OwnIso2022JpEncoding>();
    }
    throw Exception(u"コード ページが無効です");
}

} // namespace nerula
