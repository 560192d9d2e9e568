#pragma once
// The error of a regular expression that cannot be compiled or that is too complex to finish
// a search with: its message says which, for the user.

#include "common/exception.h"

namespace nerula {

class ERegexpException : public Exception {
public:
    using Exception::Exception;
};

} // namespace nerula
