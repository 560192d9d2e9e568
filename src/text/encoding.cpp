#include "text/encoding.h"

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
        const std::size_t units = bytes.size() / 2;
        if (units == 0 && !bytes.empty()) {
            ThrowNoCharacterMapping();
        }
        std::u16string text(units, u'\0');
        const int high = bigEndian_ ? 0 : 1;
        for (std::size_t i = 0; i < units; ++i) {
            text[i] = static_cast<char16_t>((bytes[2 * i + high] << 8) | bytes[2 * i + 1 - high]);
        }
        return text;
    }

private:
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
