#include "search_window.h"

#include <stdexcept>
#include <utility>

#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr wchar_t kClassName[] = L"NerulaSearchBenchWindow";

void RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        throw std::runtime_error("the window class cannot be registered");
    }
}

} // namespace

SearchWindow::SearchWindow() {
    RegisterOnce();
    // The size of a main window on a small screen: the view wraps and scrolls as it would
    // there. The window is never shown.
    window_ = CreateWindowExW(0, kClassName, L"search bench", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
        throw std::runtime_error("the window cannot be created");
    }
    view_.Create(window_, 1);
    RECT client{};
    GetClientRect(window_, &client);
    view_.SetBounds(client);
    view_.SetVisible(true);
}

SearchWindow::~SearchWindow() {
    // The view's control goes with its parent; the view then finds it gone.
    DestroyWindow(window_);
}

double SearchWindow::Load(SearchText text) {
    const Stopwatch clock;
    view_.SetText(std::move(text.memory), text.length);
    const double milliseconds = clock.Milliseconds();
    DrainMessages();
    return milliseconds;
}

void SearchWindow::PlaceCaret(DWORD position) {
    view_.SetSelection({position, 0});
}

void SearchWindow::DrainMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace nerula::bench
