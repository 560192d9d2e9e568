// What the folder browser tells the user about a typed name that is no folder.

#include "controls/select_directory_text.h"

#include <gtest/gtest.h>

#include <string>

namespace nerula {
namespace {

TEST(InvalidPathMessage, QuotesTheNameBeforeTheReason) {
    struct Case {
        std::u16string name;
        std::u16string message;
    };
    const Case cases[] = {
        {u"C:\\nope", u"\"C:\\nope\" は無効なパスです"},
        {u"", u"\"\" は無効なパスです"},
        {u"D:\\画像\\新しい \"フォルダ\"", u"\"D:\\画像\\新しい \"フォルダ\"\" は無効なパスです"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InvalidPathMessage(c.name), c.message);
    }
}

} // namespace
} // namespace nerula
