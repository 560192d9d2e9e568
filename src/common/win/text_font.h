#pragma once
// A font object whose attributes can be changed in place: the text view's font. Whoever
// shows it is told of every change and takes the new handle.

#include <cstdint>
#include <functional>
#include <string>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula {

class TextFont {
public:
    static constexpr std::uint8_t kBold = 1;
    static constexpr std::uint8_t kItalic = 2;
    static constexpr std::uint8_t kUnderline = 4;
    static constexpr std::uint8_t kStrikeOut = 8;

    TextFont(std::wstring name, int height);
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    const std::wstring& Name() const noexcept { return name_; }
    void SetName(std::wstring name);
    // Height in pixels; negative values give the character height, as in LOGFONT.
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    // Size in points at the screen's resolution.
    int Size() const;
    void SetSize(int points);
    std::uint8_t Style() const noexcept { return style_; }
    void SetStyle(std::uint8_t style);

    // Copies every attribute of another font object.
    void Assign(const TextFont& other);

    // The font's handle, made anew after a change; owned by this object.
    HFONT Handle() const;

    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    void Changed();

    std::wstring name_;
    int height_;
    std::uint8_t style_ = 0;
    mutable GdiObject handle_;
    std::function<void()> onChange_;
};

} // namespace nerula
