#include "common/win/text_font.h"

namespace nerula {

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
    return -MulDiv(height_, 72, static_cast<int>(dpi_));
}

void TextFont::SetSize(int points) {
    SetHeight(-MulDiv(points, static_cast<int>(dpi_), 72));
}

void TextFont::SetDpi(unsigned dpi) {
    if (dpi == 0 || dpi == dpi_) {
        return;
    }
    height_ = MulDiv(height_, static_cast<int>(dpi), static_cast<int>(dpi_));
    dpi_ = dpi;
    Changed();
}

void TextFont::SetStyle(std::uint8_t style) {
    style_ = style;
    Changed();
}

void TextFont::Assign(const TextFont& other) {
    name_ = other.name_;
    height_ = MulDiv(other.height_, static_cast<int>(dpi_), static_cast<int>(other.dpi_));
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
