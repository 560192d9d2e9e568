#pragma once
// How a numeric edit's text stands to its up-down control's position.

#include <cstdint>
#include <string_view>

namespace nerula {

enum class TNumericallyRelationship : std::uint8_t {
    nrAccord,    // the text is the position's number
    nrDisaccord, // the text is a number, another one
    nrNonNumber, // the text is no number by the integer rule
};

// The text read by the integer rule (common/integer_text.h), compared with the position.
TNumericallyRelationship NumericRelation(std::u16string_view text, std::int32_t position);

} // namespace nerula
