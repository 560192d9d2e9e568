#pragma once
#include <cstdint>
#include <span>
namespace nerula {
int DetectCodePage(std::span<const std::uint8_t> bytes);
}
