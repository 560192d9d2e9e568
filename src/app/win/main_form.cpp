#include "app/win/main_form.h"

#include <shellapi.h>

#include "app/app_title.h"
#include "app/command_line.h"
#include "app/hand_off.h"
#include "app/mouse_wheel.h"
#include "app/win/file_reader.h"
#include "common/text_format.h"
#include "common/win/dpi.h"
#include "common/win/error_presenter.h"
#include "common/win/module_path.h"
#include "common/win/open_file_dialog.h"
#include "common/win/wide.h"
#include "forms/form_layout.h"
#include "forms/main_form_layout.h"
#include "forms/resource_ids.h"
#include "image/win/picture_decoding.h"
#include "image/win/plugin_scanner.h"
#include "search/find_logic.h"
#include "text/text_layout.h"
#include "text/win/code_page_detection.h"
#include "text/win/code_page_encoding.h"

namespace nerula {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Files dropped on the window or any of its children arrive as WM_DROPFILES.
constexpr DWORD kExStyle = WS_EX_ACCEPTFILES;

std::wstring DroppedPath(HDROP drop, UINT index) {
    // Ask for the length first: a fixed buffer would cut long paths and open the wrong file.
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, path.data(), length + 1);
    path.resize(copied);
    return path;
}

// Sets the client area's size, keeping the frame and menu around it. Width first, then
// height, since a narrower window may wrap its menu bar onto more lines.
void SetClientSize(HWND window, int width, int height) {
    for (const bool horizontal : {true, false}) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        const int outerWidth = outer.right - outer.left;
        const int outerHeight = outer.bottom - outer.top;
        SetWindowPos(window, nullptr, 0, 0, horizontal ? width + outerWidth - client.right : outerWidth,
                     horizontal ? outerHeight : height + outerHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SetCaption(HWND window, const std::u16string& caption) {
    SetWindowTextW(window, ToWide(caption).c_str());
}

} // namespace

TMainForm::TMainForm(TApplication& application, RegexpEngines engines)
    : app_(application), menu_(nullptr), search_(engines), codePage_(GetACP()) {}

TMainForm::~TMainForm() {
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

void TMainForm::Create(std::u16string_view commandLine) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(L"TMainForm", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                      LoadIconW(nullptr, IDI_APPLICATION));
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));

    // The layout gives the client area at 96 dpi; the window is made where Windows puts it,
    // then sized for the DPI of its monitor, the frame and menu around the client area.
    CreateHandle(kExStyle, L"TMainForm", ToWide(kMainFormSpec.caption).c_str(), kStyle, CW_USEDEFAULT,
                 CW_USEDEFAULT, kMainFormSpec.clientWidth, kMainFormSpec.clientHeight, nullptr, menu);
    const unsigned dpi = WindowDpi(Handle());
    const SIZE outer =
        WindowSizeForClient(ScaleToDpi(kMainFormSpec.clientWidth, dpi),
                            ScaleToDpi(kMainFormSpec.clientHeight, dpi), kStyle, kExStyle, true, dpi);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    menu_ = MainMenu(Handle());
    app_.SetMainWindow(Handle());
    CreateComponents();

    try {
        FormCreate(commandLine);
    } catch (...) {
        PresentCurrentException();
    }
    // Made once, hidden, and shown as often as the menu asks.
    try {
        auto dialog = std::make_unique<TConfigDialog>(*this, app_.Services());
        dialog->Create(Handle());
        configDialog_ = std::move(dialog);
    } catch (...) {
        PresentCurrentException();
    }
}

void TMainForm::CreateComponents() {
    pictureView_.Create(Handle(), IDC_IMAGE_BOX);
    memo_.Create(Handle(), IDC_MEMO);
    FindDialog().SetOwner(Handle());
    FindDialog().OnFind = [this] { FindDialogFind(); };
}

void TMainForm::FormCreate(std::u16string_view commandLine) {
    LoadSettings();
    search_.ApplyStartUpRule();
    AlignViews();
    // The first file opens here; every further one goes to a new process of the program.
    // An error (the first file unreadable) ends the walk: later files are left alone.
    for (const FileRequest& request : WalkArguments(SplitCommandLine(commandLine))) {
        if (FFileName.empty()) {
            OpenFile(ToWide(request.path), request.switches.codePage, request.switches.line,
                     request.switches.column);
        } else {
            HandOff(ToWide(HandOffParameters(request)));
        }
    }
}

void TMainForm::FormDestroy() {
    if (FModified) {
        SaveSettings();
    }
}

void TMainForm::AlignViews() {
    RECT client{};
    GetClientRect(Handle(), &client);
    pictureView_.SetBounds(client);
    memo_.SetBounds(client);
}

void TMainForm::HandOff(const std::wstring& parameters) {
    app_.Services().StartProcess(Handle(), ModuleFileName(), parameters);
}

void TMainForm::OpenFile(const std::wstring& fileName, std::uint32_t codePage, std::int32_t line,
                         std::int32_t column) {
    if (fileName.empty()) {
        return;
    }
    FFileName = fileName;
    MemoryStream buffer(ReadWholeFile(fileName));
    if (!ShowImage(FFileName, buffer)) {
        ShowText(FFileName, buffer, codePage, line, column);
    }
    const HWND active = memo_.Visible() ? memo_.Handle() : pictureView_.ImageBox().Handle();
    SetWindowPos(active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    app_.SetTitle(DocumentTitle(ToU16(FFileName)));
}

bool TMainForm::ShowImage(const std::wstring& fileName, MemoryStream& stream) {
    memo_.SetVisible(false);
    pictureView_.SetVisible(true);
    stream.SetPosition(0);
    std::optional<Picture> picture = DecodePicture(fileName, stream, FPlugins, Handle());
    if (!picture) {
        return false;
    }
    const int width = picture->Width();
    const int height = picture->Height();
    pictureView_.SetPicture(std::move(*picture));
    SizeForPicture(width, height);

    const std::u16string name(FileNamePart(ToU16(fileName)));
    const std::optional<susie::PictureInfo> info = ReadPictureInfo(fileName, stream, FPlugins);
    SetCaption(Handle(), info ? FormatText(u"%s ( %d x %d %dbit ) - Nerula",
                                           {name, ToDecimal(info->width), ToDecimal(info->height),
                                            ToDecimal(info->colorDepth)})
                              : FormatText(u"%s - Nerula", {name}));
    pictureView_.ApplyViewStyle(FViewStyle);
    pictureView_.Focus();
    return true;
}

void TMainForm::SizeForPicture(int width, int height) {
    const RECT desktop = app_.Services().DesktopRect();
    POINT corner{width, height};
    ClientToScreen(Handle(), &corner);
    if (corner.x >= desktop.left && corner.x < desktop.right && corner.y >= desktop.top &&
        corner.y < desktop.bottom) {
        // Two pixels of the scroll box's sunken border on every side.
        SetClientSize(Handle(), width + 4, height + 4);
    }
}

void TMainForm::ShowText(const std::wstring& fileName, MemoryStream& stream, std::uint32_t codePage,
                         std::int32_t line, std::int32_t column) {
    pictureView_.SetVisible(false);
    memo_.SetVisible(true);
    SizeForText();

    if (codePage != 0) {
        SetCodePage(codePage);
    } else if (autoEncode_) {
        // Nothing detected (-1) lands on the ANSI code page through the property's rule.
        SetCodePage(static_cast<std::uint32_t>(DetectCodePage(0, 0, stream)));
    }
    const std::unique_ptr<Encoding> encoding = CreateCodePageEncoding(CodePage(), codePage_.Ansi());
    SetCodePage(encoding->CodePage());
    SetCaption(Handle(), FormatText(u"%s ( %s ) - Nerula", {std::u16string(FileNamePart(ToU16(fileName))),
                                                            CodePageName(CodePage(), codePage_.Ansi())}));
    // Matches of the text shown before would point into another text.
    search_.ReleaseMatches();
    memo_.Show(*encoding, stream, line, column);
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

void TMainForm::OnCommand(WORD id) {
    switch (id) {
    case IDM_FILE_OPEN:
        FileOpenMnuClick();
        break;
    case IDM_FILE_EXIT:
        FileExitMnuClick();
        break;
    case IDM_EDIT_COPY:
        EditCopyMnuClick();
        break;
    case IDM_VIEW_ADJUST_WINDOW:
    case IDM_VIEW_FULL_SIZE:
        ViewStyleMnusClick(id);
        break;
    case IDM_VIEW_ENCODE_AUTO:
        ViewEncodeAutoMnuClick();
        break;
    case IDM_VIEW_ENCODE_SHIFTJIS:
    case IDM_VIEW_ENCODE_UTF16:
    case IDM_VIEW_ENCODE_UTF16BE:
    case IDM_VIEW_ENCODE_JIS:
    case IDM_VIEW_ENCODE_ISO2022JP:
    case IDM_VIEW_ENCODE_EUCJP:
    case IDM_VIEW_ENCODE_UTF8:
        CodePageMnusClick(id);
        break;
    case IDM_VIEW_WORD_WRAP:
        ViewWordWrapMnuClick();
        break;
    case IDM_OPTION_CONFIG:
        OptionConfigMnuClick();
        break;
    case IDM_EDIT_FIND:
        EditFindMnuClick();
        break;
    case IDM_EDIT_FIND_PREV:
        EditFindPrevMnuClick();
        break;
    case IDM_EDIT_FIND_NEXT:
        EditFindNextMnuClick();
        break;
    default:
        break;
    }
}

void TMainForm::FileOpenMnuClick() {
    std::wstring buffer(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Handle();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                OFN_DONTADDTORECENT;
    if (!ShowOpenFileDialog(ofn)) {
        return;
    }
    buffer.resize(wcslen(buffer.c_str()));
    OpenFile(buffer, 0, 1, 1);
}

void TMainForm::FileExitMnuClick() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::EditMnuClick(HMENU editMenu) {
    // The picture view is asked first.
    if (pictureView_.Visible()) {
        MainMenu::EnableEditItems(editMenu, true, false);
    } else if (memo_.Visible()) {
        MainMenu::EnableEditItems(editMenu, memo_.Selection().length != 0, true);
    } else {
        MainMenu::EnableEditItems(editMenu, false, false);
    }
}

void TMainForm::EditCopyMnuClick() {
    if (pictureView_.Visible()) {
        pictureView_.CopyToClipboard(Handle());
    } else if (memo_.Visible()) {
        SendMessageW(memo_.Handle(), WM_COPY, 0, 0);
    }
}

void TMainForm::ViewStyleMnusClick(UINT itemId) {
    menu_.CheckViewStyle(MainMenu::ViewStyleOf(itemId));
    SetViewStyle(MainMenu::ViewStyleOf(itemId));
    pictureView_.ApplyViewStyle(FViewStyle);
    FModified = true;
}

void TMainForm::ViewEncodeAutoMnuClick() {
    // The state takes effect with the next text shown; nothing is detected now.
    SetAutoEncode(!autoEncode_);
    FModified = true;
}

void TMainForm::CodePageMnusClick(UINT itemId) {
    const std::uint32_t tag = MainMenu::CodePageOf(itemId).value_or(0);
    if (tag == CodePage()) {
        return;
    }
    menu_.CheckEncodingItem(itemId);
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
    SetWordWrap(!wordWrap_);
    ScrollCaret(false);
    FModified = true;
}

void TMainForm::OptionConfigMnuClick() {
    if (configDialog_) {
        configDialog_->Execute();
    }
}

void TMainForm::EditFindMnuClick() {
    FindDialog().Execute();
}

void TMainForm::EditFindPrevMnuClick() {
    FindDialog().SetOptions(FindDialog().Options().Without(TREFindOption::frDown));
    FindAndSelect();
}

void TMainForm::EditFindNextMnuClick() {
    FindDialog().SetOptions(FindDialog().Options().With(TREFindOption::frDown));
    FindAndSelect();
}

void TMainForm::FindDialogFind() {
    // The find window outlives the text it was opened over: with a picture shown there is
    // nothing to search, and the text view, hidden, still holds the text shown before.
    if (memo_.Visible()) {
        FindAndSelect();
    }
}

void TMainForm::FindAndSelect() {
    switch (search_.FindAndSelect(memo_)) {
    case TextSearch::Outcome::NoFindText:
        // As a click on the menu item: nothing while the item is greyed.
        if (menu_.Enabled(IDM_EDIT_FIND)) {
            EditFindMnuClick();
        }
        break;
    case TextSearch::Outcome::NotFound: {
        // Over the find window when the search came from there, so that it keeps the focus.
        const TREDialogForm* findWindow = FindDialog().Dialog();
        const HWND active = GetActiveWindow();
        const HWND owner = findWindow != nullptr && active == findWindow->Handle() ? active : Handle();
        app_.Services().ShowMessageBox(owner, ToWide(NotFoundMessage(FindDialog().FindText())),
                                       ToWide(app_.Title()), MB_ICONINFORMATION | MB_OK);
        break;
    }
    case TextSearch::Outcome::Selected:
        break;
    }
}

void TMainForm::MemoChange() {
    // Only the user's edits set the flag: text that the program puts in leaves it clear.
    if (SendMessageW(memo_.Handle(), EM_GETMODIFY, 0, 0) != 0) {
        search_.ReleaseMatches();
        SendMessageW(memo_.Handle(), EM_SETMODIFY, FALSE, 0);
    }
}

void TMainForm::MouseWheel(UINT message, WPARAM wParam) {
    const auto delta = static_cast<std::int16_t>(HIWORD(wParam));
    if (message == WM_MOUSEWHEEL) {
        pictureView_.ScrollBy(SB_VERT, WheelScrollDistance(WheelAxis::Vertical, delta));
    } else {
        pictureView_.ScrollBy(SB_HORZ, WheelScrollDistance(WheelAxis::Horizontal, delta));
    }
}

void TMainForm::DpiChanged(unsigned dpi, const RECT& suggested) {
    // Windows suggests the rectangle that keeps the window's size at the new DPI; the views
    // follow it through WM_SIZE. Pictures stay at their own pixels.
    memo_.SetDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::DropFiles(HDROP drop) {
    const DropHandle owner(drop);
    pictureView_.SetVisible(false);
    memo_.SetVisible(false);
    OpenFile(DroppedPath(drop, 0), 0, 1, 1);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 1; i < count; ++i) {
        HandOff(ToWide(QuotePath(ToU16(DroppedPath(drop, i)))));
    }
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        AlignViews();
        return 0;
    case WM_COMMAND:
        if (lParam == 0) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        if (reinterpret_cast<HWND>(lParam) == memo_.Handle() && HIWORD(wParam) == EN_CHANGE) {
            MemoChange();
            return 0;
        }
        break;
    case WM_INITMENUPOPUP: {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (menu_.IsEditMenu(menu)) {
            EditMnuClick(menu);
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        MouseWheel(message, wParam);
        break;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        try {
            FormDestroy();
        } catch (...) {
            PresentCurrentException();
        }
        app_.MainWindowDestroyed();
        return 0;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace nerula
