// The baseline of the whole-open benchmark: what any program that shows a text file in a
// multi-line edit control must do, done the way Nerula's window does it (window and
// control styles, font, tab stops, size, the text set before the window is shown) and
// nothing more: read, convert in one call, one WM_SETTEXT.
//   baseline_viewer.exe CODEPAGE PATH

#include <exception>
#include <string>

#include <windows.h>
#include <shellapi.h>

#include "baseline_decode.h"
#include "common/win/unique_handle.h"
#include "text/text_layout.h"

namespace {

constexpr wchar_t kClassName[] = L"TBaselineForm";
constexpr int kEditId = 1;
// Nerula's tab stops, in dialog units: four per character, four characters.
constexpr int kTabStops = 16;

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (const HWND edit = GetDlgItem(window, kEditId)) {
            MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND CreateForm(HINSTANCE instance, const std::wstring& caption) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &FormProcedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    const HWND form =
        CreateWindowExW(0, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    // Nerula's size rule for a text window, so that lines wrap at the same width.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT bounds{};
    GetWindowRect(form, &bounds);
    const nerula::WindowSize size = nerula::TextWindowSize(desktop.right, desktop.bottom);
    if (nerula::FitsDesktop(bounds.left, bounds.top, size,
                            {desktop.left, desktop.top, desktop.right, desktop.bottom})) {
        SetWindowPos(form, nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return form;
}

HWND CreateEdit(HWND form, HINSTANCE instance, HFONT font) {
    RECT client{};
    GetClientRect(form, &client);
    const HWND edit = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, client.right,
        client.bottom, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int tabStops = kTabStops;
    SendMessageW(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStops));
    return edit;
}

// Nerula's default font: Tahoma at 11 pixels, any character set.
HFONT CreateViewerFont() {
    LOGFONTW font{};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    const nerula::LocalMemory arguments(
        reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count)));
    if (!arguments || count != 3) {
        return 2;
    }
    const auto* argv = static_cast<wchar_t**>(arguments.Get());
    try {
        const std::wstring codePage = argv[1];
        const std::wstring path = argv[2];
        const nerula::bench::BaselineText text =
            nerula::bench::ReadAndConvert(path, static_cast<std::uint32_t>(std::stoul(codePage)));

        const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
        const HWND form = CreateForm(instance, name + L" ( " + codePage + L" ) - baseline");
        const nerula::GdiObject font(CreateViewerFont());
        const HWND edit = CreateEdit(form, instance, static_cast<HFONT>(font.Get()));
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.units.get()));

        ShowWindow(form, SW_SHOWNORMAL);
        UpdateWindow(form);
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return 0;
    } catch (const std::exception&) {
        return 1;
    }
}
