#include "text/win/code_page_encoding.h"

#include <algorithm>
#include <climits>

#include <windows.h>

#include "common/exception.h"
#include "text/code_pages.h"
#include "text/iso2022jp_decoder.h"

namespace nerula {
namespace {

class SystemEncoding final : public Encoding {
public:
    SystemEncoding(std::uint32_t codePage, bool piecewise) : codePage_(codePage), piecewise_(piecewise) {}

    std::uint32_t CodePage() const override { return codePage_; }
    std::span<const std::uint8_t> ByteOrderMark() const override { return nerula::ByteOrderMark(codePage_); }

    std::u16string Decode(std::span<const std::uint8_t> bytes) const override {
        if (!piecewise_) {
            return DecodeMeasured(bytes);
        }
        std::u16string text;
        text.reserve(bytes.size());
        DecodeInPieces(bytes, [&text](std::u16string_view piece) { text += piece; });
        return text;
    }

    // Converts line by line into a piece of room that is reused, small enough to stay in
    // the cache until it is taken. Converting the whole text into one buffer instead would
    // touch every page of that buffer once for the conversion and once more for the
    // caller's next step, and under Wine a fresh page costs as much as converting it.
    void DecodeInPieces(std::span<const std::uint8_t> bytes, const PieceSink& take) const override {
        if (!piecewise_) {
            take(DecodeMeasured(bytes));
            return;
        }
        CheckLength(bytes);
        std::u16string piece(std::min(bytes.size(), kPiece), u'\0');
        while (!bytes.empty()) {
            const std::size_t length = PieceLength(bytes);
            // These code pages make at most one unit of a byte; a long stretch without a
            // line feed to cut after comes in one piece.
            if (length > piece.size()) {
                piece.resize(length);
            }
            const int units = MultiByteToWideChar(
                codePage_, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(length),
                reinterpret_cast<wchar_t*>(piece.data()), static_cast<int>(length));
            if (units <= 0) {
                ThrowNoCharacterMapping();
            }
            take(std::u16string_view(piece.data(), static_cast<std::size_t>(units)));
            bytes = bytes.subspan(length);
        }
    }

private:
    // About this many bytes a piece, cut after a line feed.
    static constexpr std::size_t kPiece = 64 * 1024;

    static void CheckLength(std::span<const std::uint8_t> bytes) {
        if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
            ThrowNoCharacterMapping();
        }
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
        if (bytes.empty()) {
            return {};
        }
        CheckLength(bytes);
        const auto* source = reinterpret_cast<const char*>(bytes.data());
        const auto sourceLength = static_cast<int>(bytes.size());
        const int needed = MultiByteToWideChar(codePage_, 0, source, sourceLength, nullptr, 0);
        if (needed <= 0) {
            ThrowNoCharacterMapping();
        }
        std::u16string text(static_cast<std::size_t>(needed), u'\0');
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
