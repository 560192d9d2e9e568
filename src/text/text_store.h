#pragma once
// Memory that a text is written into, given by whoever keeps the text, so that a large text
// is written once, where it stays (the edit control's own buffer, for one), and its room is
// never cleared before it is written.

#include <cstddef>
#include <string>

namespace nerula {

class TextStore {
public:
    virtual ~TextStore() = default;
    // Room for `capacity` units and a terminator after them. The units written before stay;
    // the rest is not cleared. The units may move: write through the pointer returned.
    virtual char16_t* Reserve(std::size_t capacity) = 0;
    // The text is complete, `length` units long (at most the last capacity reserved).
    virtual void Finish(std::size_t length) = 0;
};

// A store in a string, for callers that want the text as a string.
class StringTextStore final : public TextStore {
public:
    char16_t* Reserve(std::size_t capacity) override {
        text_.resize(capacity + 1);
        return text_.data();
    }
    void Finish(std::size_t length) override { text_.resize(length); }
    std::u16string Take() { return std::move(text_); }

private:
    std::u16string text_;
};

} // namespace nerula
