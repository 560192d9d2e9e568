#pragma once
// The text view's edit control: a multi-line EDIT that can switch between wrapping
// (vertical scroll bar only) and not wrapping (both scroll bars) by being re-created
// with its text, selection, modification flag, focus, font and tab stops.

#include <cstddef>
#include <cstdint>
#include <string>

#include <windows.h>

#include "common/memory_stream.h"
#include "common/win/text_font.h"
#include "common/win/unique_handle.h"
#include "text/encoding.h"

namespace nerula {

struct TextSelection {
    DWORD start;
    DWORD length;
};

class TextView {
public:
    TextView();
    TextView(const TextView&) = delete;
    TextView& operator=(const TextView&) = delete;
    ~TextView();

    // Creates the control hidden, with the vertical scroll bar only, its font made for the
    // parent's DPI.
    void Create(HWND parent, int id);
    // The parent moved to a monitor of another DPI: the font is made anew for it, at the
    // same size in points.
    void SetDpi(unsigned dpi);
    HWND Handle() const noexcept { return hwnd_; }
    bool Visible() const;
    void SetVisible(bool visible);
    void SetBounds(const RECT& bounds);

    bool BothScrollBars() const noexcept { return bothScrollBars_; }
    // Re-creates the control only when the setting really changes.
    void SetBothScrollBars(bool both);

    TextFont& Font() noexcept { return font_; }
    const TextFont& Font() const noexcept { return font_; }
    std::uint32_t TabStops() const noexcept { return tabStops_; }
    void SetTabStops(std::uint32_t tabStops);
    void SendTabStops();
    // Tab width in average characters: the control counts tab stops in dialog template
    // units, four to a character.
    std::int32_t TabWidth() const noexcept { return static_cast<std::int32_t>(tabStops_ >> 2); }
    void SetTabWidth(std::int32_t tabWidth) { SetTabStops(static_cast<std::uint32_t>(tabWidth) << 2); }

    // Decodes the rest of the stream with the encoding and shows it, the stream's bytes
    // given back as soon as the text is made; then the caret goes to the line and column
    // (counting from 1) and the control takes the focus.
    void Show(const Encoding& encoding, MemoryStream& stream, std::int32_t line, std::int32_t column);

    // Hands the text over unless the control already shows exactly this text (then the
    // selection and scroll position stay); otherwise the selection goes to the start and
    // the text counts as unmodified. Fails when the control refuses the text. The text
    // comes in the form the control keeps (movable local memory, zero-terminated after
    // `length` units), so that the control takes it as it is: given it by WM_SETTEXT, the
    // control would copy it and hold both copies while it lays out the lines.
    void SetText(LocalMemory text, std::size_t length);
    std::u16string Text() const;

    TextSelection Selection() const;
    void SetSelection(TextSelection selection);

    // Puts the caret on a line and column of the text's own lines (counting from 1),
    // then brings that line to the top.
    void PositionCaret(std::int32_t line, std::int32_t column);
    // Brings the caret's line (or the selection's start) to the top, or centred to the
    // row just above the middle.
    void ScrollCaret(bool centre);

private:
    void CreateControl(bool visible, const RECT& bounds);
    DWORD Style() const;

    HWND parent_ = nullptr;
    int id_ = 0;
    HWND hwnd_ = nullptr;
    bool bothScrollBars_ = false;
    std::uint32_t tabStops_ = 16;
    TextFont font_;
};

} // namespace nerula
