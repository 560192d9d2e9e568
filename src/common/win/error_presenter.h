#pragma once
// Exceptions stop at every Win32 callback: the callback's catch hands them to the one
// presenter, which shows the error box; then the message loop goes on.

#include <string>
#include <string_view>

namespace nerula {

class ErrorPresenter {
public:
    virtual ~ErrorPresenter() = default;
    virtual void PresentError(std::u16string_view message) noexcept = 0;
};

// The presenter that callbacks report to; the application registers itself.
void SetErrorPresenter(ErrorPresenter* presenter) noexcept;

// Call only inside a catch block: turns the exception in flight into its user-visible
// message and presents it.
void PresentCurrentException() noexcept;

// The user-visible message of the exception in flight (inside a catch block only).
std::u16string CurrentExceptionMessage();

} // namespace nerula
