#include "controls/numeric_relation.h"

#include "common/integer_text.h"

namespace nerula {

TNumericallyRelationship NumericRelation(std::u16string_view text, std::int32_t position) {
    const auto value = ParseInt32(text);
    if (!value) {
        return TNumericallyRelationship::nrNonNumber;
    }
    return *value == position ? TNumericallyRelationship::nrAccord : TNumericallyRelationship::nrDisaccord;
}

} // namespace nerula
