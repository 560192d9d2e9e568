#include "common/win/text_font.h"

#include "common/win/device_context.h"

namespace nerula {
namespace {

int ScreenPixelsPerInch() {
    const WindowDc screen(nullptr);
    const int pixels = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return pixels > 0 ? pixels : 96;
}

} // namespace

TextFont::TextFont(std::wstring name, int height) : name_(std::move(name)), height_(height) {}

void TextFont::SetName(std::wstring name) {
    name_ = std::move(name);
    Changed();
}

void TextFont::SetHeight(int height) {
    height_ = height;
    Changed();
}

int TextFont::Size() const {
    return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TextFont::SetSize(int points) {
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TextFont::SetStyle(std::uint8_t style) {
    style_ = style;
    Changed();
}

void TextFont::Assign(const TextFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    Changed();
}

HFONT TextFont::Handle() const {
    if (!handle_) {
        LOGFONTW font{};
        font.lfHeight = height_;
        font.lfWeight = (style_ & kBold) != 0 ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (style_ & kItalic) != 0;
        font.lfUnderline = (style_ & kUnderline) != 0;
        font.lfStrikeOut = (style_ & kStrikeOut) != 0;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = DEFAULT_QUALITY;
        name_.copy(font.lfFaceName, LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectW(&font));
    }
    return static_cast<HFONT>(handle_.Get());
}

void TextFont::Changed() {
    // The old handle stays valid until the new one is taken by whoever shows the font.
    GdiObject old(handle_.Release());
    if (onChange_) {
        onChange_();
    }
}

} // namespace nerula
