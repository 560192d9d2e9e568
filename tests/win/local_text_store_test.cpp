// The store that a text is loaded into for the edit control: movable local memory that
// keeps what was written when it grows, ends zero-terminated, and gives back the room the
// text did not need.

#include <gtest/gtest.h>

#include <string>

#include "text/text_loading.h"
#include "text/win/code_page_encoding.h"
#include "text/win/local_text_store.h"

namespace nerula {
namespace {

std::u16string Locked(const LocalMemory& memory) {
    const auto* units = static_cast<const char16_t*>(LocalLock(memory.Get()));
    std::u16string text = units != nullptr ? std::u16string(units) : u"<not lockable>";
    LocalUnlock(memory.Get());
    return text;
}

TEST(LocalTextStore, KeepsTheTextWhenItGrowsAndEndsItWithATerminator) {
    LocalTextStore store;
    char16_t* units = store.Reserve(3);
    std::u16string_view(u"abc").copy(units, 3);
    units = store.Reserve(1 << 20);
    units[3] = u'd';
    store.Finish(4);
    const LocalMemory memory = store.Take();
    ASSERT_TRUE(memory);
    EXPECT_EQ(Locked(memory), u"abcd");
    // The megabyte reserved for the worst case went back.
    EXPECT_LT(LocalSize(memory.Get()), 1024u);
}

TEST(LocalTextStore, TakesATextLoadedFromASystemCodePage) {
    // 日本語 and a lone LF, in Shift-JIS, into room that the decoder's estimate gives.
    const std::string bytes = "\x93\xFA\x96\x7B\x8C\xEA\n";
    LocalTextStore store;
    const std::size_t length =
        LoadText(*CreateCodePageEncoding(932, 932),
                 std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), store);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(Locked(store.Take()), u"日本語\r\n");
}

} // namespace
} // namespace nerula
