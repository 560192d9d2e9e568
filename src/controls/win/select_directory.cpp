#include "controls/win/select_directory.h"

#include <vector>

#include <shlobj.h>

#include "common/win/com.h"
#include "common/win/com_ptr.h"
#include "common/win/error_presenter.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "controls/select_directory_text.h"

namespace nerula {
namespace {

struct ItemIdListTraits {
    using Type = LPITEMIDLIST;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type list) noexcept { CoTaskMemFree(list); }
};
// A shell item ID list that the shell allocated for the caller.
using ItemIdList = UniqueHandle<ItemIdListTraits>;

bool IsExistingFolder(const std::wstring& path) noexcept {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The root folder's ID list; none (the desktop) for an empty path or one that the shell
// cannot read.
ItemIdList RootList(HWND owner, const std::u16string& root) {
    ItemIdList list;
    if (root.empty()) {
        return list;
    }
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Receive()))) {
        return list;
    }
    std::wstring path = ToWide(root);
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, path.data(), nullptr, list.Receive(), nullptr))) {
        list.Reset();
    }
    return list;
}

// The thread's other top-level windows that take input, disabled while this lives: the
// browser's own modal loop disables only its owner.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND owner)
        : owner_(owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), &OtherWindowsDisabled::Collect,
                          reinterpret_cast<LPARAM>(this));
        for (const HWND window : disabled_) {
            EnableWindow(window, FALSE);
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
    ~OtherWindowsDisabled() {
        for (const HWND window : disabled_) {
            if (IsWindow(window)) {
                EnableWindow(window, TRUE);
            }
        }
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self) noexcept {
        auto& disabling = *reinterpret_cast<OtherWindowsDisabled*>(self);
        if (window != disabling.owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            try {
                disabling.disabled_.push_back(window);
            } catch (...) {
                return FALSE; // out of memory: what is collected so far is disabled
            }
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> disabled_;
};

// The process's error mode, replaced while this lives.
class ErrorModeScope {
public:
    explicit ErrorModeScope(UINT mode) noexcept : previous_(SetErrorMode(mode)) {}
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;
    ~ErrorModeScope() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

} // namespace

UINT BrowseFlags(TSelectDirOpts options) noexcept {
    UINT flags = BIF_RETURNONLYFSDIRS;
    if (options.Has(TSelectDirOpt::sdNewUI)) {
        flags |= BIF_NEWDIALOGSTYLE;
    }
    if (!options.Has(TSelectDirOpt::sdNewFolder)) {
        flags |= BIF_NONEWFOLDERBUTTON;
    }
    if (options.Has(TSelectDirOpt::sdShowEdit)) {
        flags |= BIF_EDITBOX;
    }
    // The resizable browser shows shared folders anyway.
    if (options.Has(TSelectDirOpt::sdShowShares) && !options.Has(TSelectDirOpt::sdNewUI)) {
        flags |= BIF_SHAREABLE;
    }
    if (options.Has(TSelectDirOpt::sdShowFiles)) {
        flags |= BIF_BROWSEINCLUDEFILES;
    }
    if (options.Has(TSelectDirOpt::sdValidateDir)) {
        flags |= BIF_VALIDATE;
    }
    return flags;
}

TSelectDirectory::TSelectDirectory(HWND mainWindow, PlatformServices& services)
    : mainWindow_(mainWindow), services_(services) {}

void TSelectDirectory::Assign(const TSelectDirectory& source) {
    if (&source == this) {
        return;
    }
    caption_ = source.caption_;
    root_ = source.root_;
    directory_ = source.directory_;
    options_ = source.options_;
}

bool TSelectDirectory::Execute() {
    // The browser is made of COM objects, and the resizable one needs an apartment.
    const ComInitialization com;
    const HWND owner = owner_ != nullptr ? owner_ : mainWindow_;
    // A folder that is gone would leave the browser at its top anyway.
    startFolder_ = ToWide(directory_);
    if (!IsExistingFolder(startFolder_)) {
        startFolder_.clear();
    }
    const ItemIdList root = RootList(owner, root_);
    const std::wstring title = ToWide(caption_);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.Get();
    info.pszDisplayName = displayName;
    info.lpszTitle = title.empty() ? nullptr : title.c_str();
    info.ulFlags = BrowseFlags(options_);
    info.lpfn = &TSelectDirectory::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    ItemIdList chosen;
    {
        const OtherWindowsDisabled disabled(owner);
        const ErrorModeScope errorMode(SEM_FAILCRITICALERRORS);
        chosen.Reset(SHBrowseForFolderW(&info));
    }
    startFolder_.clear();
    if (!chosen) {
        return false;
    }
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.Get(), path)) {
        return false;
    }
    directory_ = ToU16(path);
    return true;
}

int TSelectDirectory::BrowseMessage(HWND browser, UINT message, LPARAM lParam) {
    switch (message) {
    case BFFM_INITIALIZED: {
        // Centred on the whole monitor of the main window, whatever the owner.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        const HWND anchor = mainWindow_ != nullptr ? mainWindow_ : browser;
        if (GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor)) {
            RECT own{};
            GetWindowRect(browser, &own);
            const RECT& area = monitor.rcMonitor;
            const int left = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
            const int top = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
            SetWindowPos(browser, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (!startFolder_.empty()) {
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(startFolder_.c_str()));
        }
        return 0;
    }
    case BFFM_VALIDATEFAILEDW: {
        if (!options_.Has(TSelectDirOpt::sdValidateDir)) {
            return 0;
        }
        const auto* typed = reinterpret_cast<const wchar_t*>(lParam);
        const std::u16string name = typed != nullptr ? ToU16(typed) : std::u16string();
        services_.ShowMessageBox(browser, ToWide(InvalidPathMessage(name)), ToWide(WindowText(browser)),
                                 MB_ICONERROR | MB_OK);
        return 1; // the browser stays open for another choice
    }
    default:
        return 0;
    }
}

int CALLBACK TSelectDirectory::BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM self) {
    try {
        return reinterpret_cast<TSelectDirectory*>(self)->BrowseMessage(browser, message, lParam);
    } catch (...) {
        PresentCurrentException();
        return 0;
    }
}

} // namespace nerula
