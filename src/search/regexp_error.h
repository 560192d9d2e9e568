#pragma once
// The error of a regular expression that cannot be compiled or that is too complex to finish
// a search with: its message says which, for the user.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/exception.h"

namespace nerula {

class ERegexpException : public Exception {
public:
    using Exception::Exception;
};

// The message of an error that the automation object reported: its description without
// trailing blanks, control characters and full stops; else the system's text for the
// code; else "OLE エラー %.8x" with the code in eight hexadecimal digits.
std::u16string ObjectErrorMessage(std::u16string_view description, std::u16string_view systemText,
                                  std::uint32_t code);

} // namespace nerula
