#include "common/win/text_font.h"

namespace nerula {

TextFont::TextFont(std::wstring name, int height)
    : name_(std::move(name)), height_(height), setHeight_(height), setDpi_(96) {}

void TextFont::SetName(std::wstring name) {
    name_ = std::move(name);
    Changed();
}

void TextFont::SetHeight(int height) {
    height_ = height;
    setHeight_ = height;
    setDpi_ = dpi_;
    Changed();
}

int TextFont::Size() const {
    // From the height as it was set: a height rounded to another DPI's pixels may round to
    // another size (11 points are 15 pixels at 96 dpi, which scale to 23 at 144: 11.5 points).
    return -MulDiv(setHeight_, 72, static_cast<int>(setDpi_));
}

void TextFont::SetSize(int points) {
    SetHeight(-MulDiv(points, static_cast<int>(dpi_), 72));
}

void TextFont::SetDpi(unsigned dpi) {
    if (dpi == 0 || dpi == dpi_) {
        return;
    }
    height_ = MulDiv(setHeight_, static_cast<int>(dpi), static_cast<int>(setDpi_));
    dpi_ = dpi;
    Changed();
}

void TextFont::SetStyle(std::uint8_t style) {
    style_ = style;
    Changed();
}

void TextFont::Assign(const TextFont& other) {
    name_ = other.name_;
    setHeight_ = other.setHeight_;
    setDpi_ = other.setDpi_;
    height_ = MulDiv(setHeight_, static_cast<int>(dpi_), static_cast<int>(setDpi_));
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
