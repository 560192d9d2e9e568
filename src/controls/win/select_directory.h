#pragma once
// The system's folder browser (SHBrowseForFolderW) as a component: its caption, the folder
// it is rooted at, the folder chosen, and what it offers.
//
// While it is open the thread's other windows take no input (as if it were the program's
// own modal dialog), and a drive without a medium fails quietly instead of asking. It
// opens centred on the monitor of the program's main window, at the folder chosen last.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include <windows.h>

#include "common/win/platform_services.h"

namespace nerula {

// Member n is bit n of the set.
enum class TSelectDirOpt : std::uint8_t {
    sdNewFolder,   // a button that makes a new folder (with sdNewUI)
    sdShowEdit,    // an edit in which a folder's name can be typed
    sdShowShares,  // shared folders of other computers (without sdNewUI)
    sdNewUI,       // the resizable browser
    sdShowFiles,   // files as well as folders
    sdValidateDir, // a typed name that is no folder is refused with an error box
};

inline constexpr int kSelectDirOptCount = 6;

class TSelectDirOpts {
public:
    constexpr TSelectDirOpts() noexcept = default;
    constexpr TSelectDirOpts(TSelectDirOpt option) noexcept : bits_(Bit(option)) {}
    constexpr TSelectDirOpts(std::initializer_list<TSelectDirOpt> options) noexcept {
        for (const TSelectDirOpt option : options) {
            bits_ |= Bit(option);
        }
    }
    constexpr std::uint8_t Bits() const noexcept { return bits_; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr bool Has(TSelectDirOpt option) const noexcept { return (bits_ & Bit(option)) != 0; }
    friend constexpr TSelectDirOpts operator|(TSelectDirOpts a, TSelectDirOpts b) noexcept {
        TSelectDirOpts both;
        both.bits_ = static_cast<std::uint8_t>(a.bits_ | b.bits_);
        return both;
    }
    friend constexpr bool operator==(TSelectDirOpts, TSelectDirOpts) noexcept = default;

private:
    static constexpr std::uint8_t Bit(TSelectDirOpt option) noexcept {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(option));
    }

    std::uint8_t bits_ = 0;
};

constexpr TSelectDirOpts operator|(TSelectDirOpt a, TSelectDirOpt b) noexcept {
    return TSelectDirOpts(a) | TSelectDirOpts(b);
}

// The browser's BIF_ flags for a set of options: always file-system folders only.
UINT BrowseFlags(TSelectDirOpts options) noexcept;

class TSelectDirectory {
public:
    // `mainWindow` is the program's main window: the browser's owner when no other is
    // given, and the window on whose monitor it opens. Message boxes go to `services`,
    // which must outlive this object.
    explicit TSelectDirectory(HWND mainWindow = nullptr,
                              PlatformServices& services = SystemPlatformServices());
    TSelectDirectory(const TSelectDirectory&) = delete;
    TSelectDirectory& operator=(const TSelectDirectory&) = delete;

    const std::u16string& Caption() const noexcept { return caption_; }
    void SetCaption(std::u16string caption) { caption_ = std::move(caption); }
    // The folder the browser shows as its top; empty for the desktop.
    const std::u16string& Root() const noexcept { return root_; }
    void SetRoot(std::u16string root) { root_ = std::move(root); }
    // The folder chosen; where the browser opens.
    const std::u16string& Directory() const noexcept { return directory_; }
    void SetDirectory(std::u16string directory) { directory_ = std::move(directory); }
    TSelectDirOpts Options() const noexcept { return options_; }
    void SetOptions(TSelectDirOpts options) noexcept { options_ = options; }
    HWND Owner() const noexcept { return owner_; }
    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    HWND MainWindow() const noexcept { return mainWindow_; }
    void SetMainWindow(HWND mainWindow) noexcept { mainWindow_ = mainWindow; }

    // Takes the caption, root, folder and options of another (not its windows).
    void Assign(const TSelectDirectory& source);

    // Shows the browser. True when the user chose a folder, which is then Directory;
    // false when the browser was cancelled, and Directory stays as it was.
    bool Execute();

    // What the browser's callback does with a message from the open browser; its result
    // goes back to the browser. Public so that a message that a system's browser never
    // sends (Wine's sends no BFFM_VALIDATEFAILEDW) can be given to it directly.
    int BrowseMessage(HWND browser, UINT message, LPARAM lParam);

private:
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM self);

    HWND mainWindow_;
    PlatformServices& services_;
    HWND owner_ = nullptr;
    std::u16string caption_;
    std::u16string root_;
    std::u16string directory_;
    TSelectDirOpts options_;
    std::wstring startFolder_; // while the browser is open
};

} // namespace nerula
