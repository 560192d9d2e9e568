#include "app/win/main_form.h"

#include <initializer_list>
#include <vector>

#include <shellapi.h>

#include "app/app_title.h"
#include "app/command_line.h"
#include "app/win/file_reader.h"
#include "app/hand_off.h"
#include "app/mouse_wheel.h"
#include "common/win/error_presenter.h"
#include "common/win/module_path.h"
#include "common/win/open_file_dialog.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"

namespace nerula {
namespace {

bool IsShown(HWND window) {
    return window != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring DroppedPath(HDROP drop, UINT index) {
    // Ask for the length first: a fixed buffer would cut long paths and open the wrong file.
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, path.data(), length + 1);
    path.resize(copied);
    return path;
}

} // namespace

TMainForm::TMainForm(TApplication& application) : app_(application), codePage_(GetACP()) {}

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

    // The layout gives the client area; the outer size follows from the frame and menu.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_ACCEPTFILES;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, exStyle);
    CreateHandle(exStyle, L"TMainForm", L"Nerula", style, CW_USEDEFAULT, CW_USEDEFAULT,
                 frame.right - frame.left, frame.bottom - frame.top, nullptr, menu);
    app_.SetMainWindow(Handle());
    CreateComponents();

    try {
        FormCreate(commandLine);
    } catch (...) {
        PresentCurrentException();
    }
}

void TMainForm::CreateComponents() {
    imageBox_.Create(Handle(), IDC_IMAGE_BOX);
    image_.Create(imageBox_.Handle());
    memo_.Create(Handle(), IDC_MEMO);
}

void TMainForm::FormCreate(std::u16string_view commandLine) {
    LoadSettings();
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

void TMainForm::AlignViews() {
    RECT client{};
    GetClientRect(Handle(), &client);
    MoveWindow(imageBox_.Handle(), 0, 0, client.right, client.bottom, TRUE);
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
    const HWND active = memo_.Visible() ? memo_.Handle() : imageBox_.Handle();
    SetWindowPos(active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    app_.SetTitle(DocumentTitle(ToU16(FFileName)));
}

bool TMainForm::MenuChecked(UINT itemId) const {
    return (GetMenuState(GetMenu(Handle()), itemId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMainForm::SetMenuChecked(UINT itemId, bool checked) {
    CheckMenuItem(GetMenu(Handle()), itemId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
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
    bool copy = false;
    bool find = false;
    if (IsShown(imageBox_.Handle())) {
        copy = true;
    } else if (memo_.Visible()) {
        copy = memo_.Selection().length != 0;
        find = true;
    }
    const auto state = [](bool enabled) { return MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED); };
    EnableMenuItem(editMenu, IDM_EDIT_COPY, state(copy));
    for (const UINT id : {IDM_EDIT_FIND, IDM_EDIT_FIND_PREV, IDM_EDIT_FIND_NEXT}) {
        EnableMenuItem(editMenu, id, state(find));
    }
}

void TMainForm::EditCopyMnuClick() {
    if (IsShown(imageBox_.Handle())) {
        CopyPicture();
    } else if (memo_.Visible()) {
        SendMessageW(memo_.Handle(), WM_COPY, 0, 0);
    }
}

void TMainForm::MouseWheel(UINT message, WPARAM wParam) {
    const auto delta = static_cast<std::int16_t>(HIWORD(wParam));
    if (message == WM_MOUSEWHEEL) {
        imageBox_.ScrollBy(SB_VERT, WheelScrollDistance(WheelAxis::Vertical, delta));
    } else {
        imageBox_.ScrollBy(SB_HORZ, WheelScrollDistance(WheelAxis::Horizontal, delta));
    }
}

void TMainForm::DropFiles(HDROP drop) {
    const DropHandle owner(drop);
    ShowWindow(imageBox_.Handle(), SW_HIDE);
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
        break;
    case WM_INITMENUPOPUP: {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (menu == GetSubMenu(GetMenu(Handle()), MENU_POS_EDIT)) {
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
