// The main window's text view: showing a file as text, the encoding menu, word wrap, tab
// width and font.

#include <array>
#include <utility>

#include "app/app_title.h"
#include "app/win/main_form.h"
#include "common/text_format.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "text/text_layout.h"
#include "text/text_loading.h"
#include "text/win/code_page_detection.h"
#include "text/win/code_page_encoding.h"
#include "text/win/local_text_store.h"

namespace nerula {
namespace {

struct EncodingItem {
    UINT id;
    // The code page that a click on the item chooses.
    std::uint32_t tag;
    // The code page for which the item carries the check mark.
    std::uint32_t shows;
};

// "EUC-JP" chooses 20932 like "JIS", yet is the item checked for 51932.
constexpr std::array kEncodingItems{
    EncodingItem{IDM_VIEW_ENCODE_SHIFTJIS, code_page::kShiftJis, code_page::kShiftJis},
    EncodingItem{IDM_VIEW_ENCODE_UTF16, code_page::kUtf16, code_page::kUtf16},
    EncodingItem{IDM_VIEW_ENCODE_UTF16BE, code_page::kUtf16Be, code_page::kUtf16Be},
    EncodingItem{IDM_VIEW_ENCODE_JIS, code_page::kJis, code_page::kJis},
    EncodingItem{IDM_VIEW_ENCODE_ISO2022JP, code_page::kIso2022Jp, code_page::kIso2022Jp},
    EncodingItem{IDM_VIEW_ENCODE_EUCJP, code_page::kJis, code_page::kEucJp},
    EncodingItem{IDM_VIEW_ENCODE_UTF8, code_page::kUtf8, code_page::kUtf8},
};

HMENU EncodingMenu(HWND window) {
    return GetSubMenu(GetSubMenu(GetMenu(window), MENU_POS_VIEW), MENU_POS_VIEW_ENCODE);
}

void CheckEncodingItem(HWND window, UINT id) {
    CheckMenuRadioItem(EncodingMenu(window), IDM_VIEW_ENCODE_SHIFTJIS, IDM_VIEW_ENCODE_UTF8, id,
                       MF_BYCOMMAND);
}

} // namespace

void TMainForm::SetCodePage(std::uint32_t codePage) {
    const std::optional<std::uint32_t> checked = codePage_.Write(codePage);
    if (!checked) {
        return;
    }
    for (const EncodingItem& item : kEncodingItems) {
        if (item.shows == *checked) {
            CheckEncodingItem(Handle(), item.id);
        }
    }
}

void TMainForm::SetTabWidth(std::int32_t tabWidth) {
    if (tabWidth == TabWidth()) {
        return;
    }
    memo_.SetTabStops(static_cast<std::uint32_t>(tabWidth) << 2);
    FModified = true;
}

void TMainForm::SetViewerFont(const TextFont& font) {
    if (&font == &memo_.Font()) {
        return;
    }
    memo_.Font().Assign(font);
    memo_.SendTabStops();
    FModified = true;
}

void TMainForm::ShowText(const std::wstring& fileName, MemoryStream& stream, std::uint32_t codePage,
                         std::int32_t line, std::int32_t column) {
    ShowWindow(imageBox_.Handle(), SW_HIDE);
    memo_.SetVisible(true);
    SizeForText();

    if (codePage != 0) {
        SetCodePage(codePage);
    } else if (MenuChecked(IDM_VIEW_ENCODE_AUTO)) {
        // Nothing detected (-1) lands on the ANSI code page through the property's rule.
        SetCodePage(static_cast<std::uint32_t>(DetectCodePage(0, 0, stream)));
    }
    const std::unique_ptr<Encoding> encoding = CreateCodePageEncoding(CodePage(), codePage_.Ansi());
    SetCodePage(encoding->CodePage());

    const std::u16string caption =
        FormatText(u"%s ( %s ) - Nerula", {std::u16string(FileNamePart(ToU16(fileName))),
                                           CodePageName(CodePage(), codePage_.Ansi())});
    SetWindowTextW(Handle(), ToWide(caption).c_str());

    // The text is written straight into memory that the edit control keeps as its own.
    LocalTextStore store;
    const std::size_t length = LoadText(*encoding, stream.Remaining(), store);
    // The file's bytes are not needed any more while the control lays out its lines.
    stream.Release();
    memo_.SetText(store.Take(), length);
    memo_.SendTabStops();
    if (line > 1 || column > 1) {
        memo_.PositionCaret(line, column);
    }
    SetFocus(memo_.Handle());
}

void TMainForm::SizeForText() {
    const RECT desktop = app_.Services().DesktopRect();
    RECT window{};
    GetWindowRect(Handle(), &window);
    const WindowSize size = TextWindowSize(desktop.right, desktop.bottom);
    if (FitsDesktop(window.left, window.top, size,
                    {desktop.left, desktop.top, desktop.right, desktop.bottom})) {
        SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TMainForm::ScrollCaret(bool centre) {
    memo_.ScrollCaret(centre);
}

bool TMainForm::ToggleMenuCheck(UINT itemId) {
    const bool checked = !MenuChecked(itemId);
    SetMenuChecked(itemId, checked);
    return checked;
}

void TMainForm::ViewEncodeAutoMnuClick() {
    // The state takes effect with the next text shown; nothing is detected now.
    ToggleMenuCheck(IDM_VIEW_ENCODE_AUTO);
    FModified = true;
}

void TMainForm::CodePageMnusClick(UINT itemId) {
    std::uint32_t tag = 0;
    for (const EncodingItem& item : kEncodingItems) {
        if (item.id == itemId) {
            tag = item.tag;
        }
    }
    if (tag == CodePage()) {
        return;
    }
    CheckEncodingItem(Handle(), itemId);
    SetCodePage(tag);
    if (memo_.Visible()) {
        const TextSelection selection = memo_.Selection();
        OpenFile(FFileName, CodePage(), 1, 1);
        memo_.SetSelection(selection);
        ScrollCaret(false);
    }
    FModified = true;
}

void TMainForm::ViewWordWrapMnuClick() {
    const bool wrap = ToggleMenuCheck(IDM_VIEW_WORD_WRAP);
    memo_.SetBothScrollBars(!wrap);
    ScrollCaret(false);
    FModified = true;
}

} // namespace nerula
