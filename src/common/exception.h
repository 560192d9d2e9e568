#pragma once
// Errors that reach the user: each carries the text that the error box shows.

#include <exception>
#include <string>

namespace nerula {

class Exception : public std::exception {
public:
    explicit Exception(std::u16string message) : message_(std::move(message)) {}
    const std::u16string& Message() const noexcept { return message_; }
    // Only for diagnostics; the user sees Message().
    const char* what() const noexcept override { return "nerula::Exception"; }

private:
    std::u16string message_;
};

} // namespace nerula
