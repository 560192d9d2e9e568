#pragma once
// Creating the encoding object that decodes a text in a given code page.

#include <cstdint>
#include <memory>

#include "text/encoding.h"

namespace nerula {

// The converter of the code-page table. A system converter whose code page Windows does
// not know fails with "コード ページが無効です", except iso-2022-jp, which Nerula then
// decodes itself.
std::unique_ptr<Encoding> CreateCodePageEncoding(std::uint32_t codePage, std::uint32_t ansiCodePage);

} // namespace nerula
