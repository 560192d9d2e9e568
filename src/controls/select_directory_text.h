#pragma once
// What the folder browser tells the user.

#include <string>
#include <string_view>

namespace nerula {

// The error box's text for a name typed into the browser that is no folder: the name in
// double quotes, then " は無効なパスです".
std::u16string InvalidPathMessage(std::u16string_view name);

} // namespace nerula
