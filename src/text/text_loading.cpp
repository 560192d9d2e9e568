#include "text/text_loading.h"

#include <algorithm>

namespace nerula {

std::u16string LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> mark = encoding.ByteOrderMark();
    if (!mark.empty() && bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin())) {
        bytes = bytes.subspan(mark.size());
    }
    std::u16string text = NormaliseLineBreaks(encoding.Decode(bytes));
    ReplaceNulCharacters(text);
    return text;
}

std::u16string NormaliseLineBreaks(std::u16string text) {
    // Count first: most texts are already CR LF (or have no breaks) and go back untouched.
    std::size_t added = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < size && text[i + 1] == u'\n') {
                ++i;
            } else {
                ++added;
            }
        } else if (text[i] == u'\n') {
            ++added;
        }
    }
    if (added == 0) {
        return text;
    }
    std::u16string result;
    result.resize(size + added);
    std::size_t out = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            result[out++] = u'\r';
            result[out++] = u'\n';
            if (i + 1 < size && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            result[out++] = u'\r';
            result[out++] = u'\n';
        } else {
            result[out++] = c;
        }
    }
    return result;
}

void ReplaceNulCharacters(std::u16string& text) {
    std::replace(text.begin(), text.end(), u'\0', kNulPlaceholder);
}

} // namespace nerula
