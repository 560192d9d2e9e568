#pragma once
// A font object whose attributes can be changed in place: the text view's font. Whoever
// shows it is told of every change and takes the new handle. Its height is in pixels at
// the DPI of the window that shows it; its size in points is the same at every DPI.

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

    // The height is given at 96 dpi, as a form designer gives it.
    TextFont(std::wstring name, int height);
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    const std::wstring& Name() const noexcept { return name_; }
    void SetName(std::wstring name);
    // Height in pixels at the font's DPI; negative values give the character height, as in
    // LOGFONT.
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    // Size in points.
    int Size() const;
    void SetSize(int points);
    // The DPI the font is made for; a new DPI scales the height and keeps the size.
    unsigned Dpi() const noexcept { return dpi_; }
    void SetDpi(unsigned dpi);
    std::uint8_t Style() const noexcept { return style_; }
    void SetStyle(std::uint8_t style);

    // Copies every attribute of another font object; the height keeps its size in points
    // at this font's DPI.
    void Assign(const TextFont& other);

    // The font's handle, made anew after a change; owned by this object.
    HFONT Handle() const;

    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    void Changed();

    std::wstring name_;
    int height_;
    unsigned dpi_ = 96;
    // The height as last given (by height, size or Assign) and the DPI it was given at:
    // other DPIs scale from it, never from a height already rounded to another DPI.
    int setHeight_;
    unsigned setDpi_;
    std::uint8_t style_ = 0;
    mutable GdiObject handle_;
    std::function<void()> onChange_;
};

} // namespace nerula
