#include "text/encoding.h"

#include <algorithm>

#include "common/exception.h"
#include "text/code_pages.h"

namespace nerula {
namespace {

class Utf16Encoding final : public Encoding {
public:
    explicit Utf16Encoding(bool bigEndian) : bigEndian_(bigEndian) {}

    std::uint32_t CodePage() const override { return bigEndian_ ? code_page::kUtf16Be : code_page::kUtf16; }

    std::span<const std::uint8_t> ByteOrderMark() const override { return nerula::ByteOrderMark(CodePage()); }

    std::u16string Decode(std::span<const std::uint8_t> bytes) const override {
        CheckLength(bytes);
        std::u16string text(bytes.size() / 2, u'\0');
        DecodeUnits(bytes, text.data());
        return text;
    }

    void DecodeInPieces(std::span<const std::uint8_t> bytes, const PieceSink& take) const override {
        CheckLength(bytes);
        // Pieces small enough to stay in the cache until they are taken.
        constexpr std::size_t kPieceUnits = 32 * 1024;
        std::u16string piece(std::min(bytes.size() / 2, kPieceUnits), u'\0');
        for (std::size_t done = 0; done < bytes.size() / 2; done += piece.size()) {
            const std::size_t units = std::min(bytes.size() / 2 - done, kPieceUnits);
            DecodeUnits(bytes.subspan(2 * done, 2 * units), piece.data());
            take(std::u16string_view(piece.data(), units));
        }
    }

    std::size_t MaxUnits(std::span<const std::uint8_t> bytes) const override { return bytes.size() / 2; }

private:
    static void CheckLength(std::span<const std::uint8_t> bytes) {
        if (bytes.size() == 1) {
            ThrowNoCharacterMapping();
        }
    }

    // Two bytes a unit; an odd last byte is left out.
    void DecodeUnits(std::span<const std::uint8_t> bytes, char16_t* units) const {
        const int high = bigEndian_ ? 0 : 1;
        for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
            units[i] = static_cast<char16_t>((bytes[2 * i + high] << 8) | bytes[2 * i + 1 - high]);
        }
    }

    bool bigEndian_;
};

} // namespace

void ThrowNoCharacterMapping() {
    throw Exception(u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
}

std::unique_ptr<Encoding> MakeUtf16Encoding(bool bigEndian) {
    return std::make_unique<Utf16Encoding>(bigEndian);
}

} // namespace nerula
