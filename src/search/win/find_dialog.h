#pragma once
// The find component: the find window (search/win/find_window.h) seen as one set of
// options and a find text. Until the window is first shown it only stores them; from then
// on the window's controls are the state, and reading asks them. It searches nothing: the
// find button is reported through OnFind.

#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include "search/find_layout.h"
#include "search/find_options.h"
#include "search/win/find_window.h"

// The common dialogs' header names its find function FindText through a macro; the
// component's property of that name would turn into FindTextW wherever it is used.
#ifdef FindText
#undef FindText
#endif

namespace nerula {

class TREFindDialog {
public:
    // `owner`: the main window, which the find window stays in front of and whose client
    // area's corner is where it first appears. May be set later, before the first Execute.
    explicit TREFindDialog(HWND owner = nullptr) noexcept : owner_(owner) {}
    TREFindDialog(const TREFindDialog&) = delete;
    TREFindDialog& operator=(const TREFindDialog&) = delete;

    void SetOwner(HWND owner) noexcept { owner_ = owner; }

    // Stored options before the window exists; the controls' state (with the action that
    // the user asked for) afterwards, when options without a control (frShowHelp) are no
    // longer reported.
    TREFindOptions Options() const;
    void SetOptions(TREFindOptions options);

    std::u16string FindText() const;
    // Writing while the window exists counts as the user's change of the text.
    void SetFindText(const std::u16string& text);

    // The window's top left corner on the screen; (-1, -1) until it is first placed.
    POINT Position() const;
    void SetPosition(POINT position);
    int Left() const { return Position().x; }
    void SetLeft(int left) { SetPosition({left, Position().y}); }
    int Top() const { return Position().y; }
    void SetTop(int top) { SetPosition({Position().x, top}); }

    // Makes the window on first use and shows it, the find text selected with the focus in
    // it; the call returns at once. True: the window exists now.
    bool Execute();
    // Hides the window, if it exists, and tells OnClose.
    void CloseDialog();

    // The buttons.
    void Find();
    void Replace();
    void ReplaceAll();
    void Cansel();

    std::function<void()> OnShow;
    std::function<void()> OnFind;
    std::function<void()> OnReplace;
    std::function<void()> OnReplaceAll;
    std::function<void()> OnClose;

    // The window; nullptr until the first Execute.
    TREDialogForm* Dialog() const noexcept { return FDialog.get(); }

private:
    void CreateWindowOnce();
    void ApplyOptions(TREFindOptions options) const;
    void FindTextChange();
    void ReplaceTextChange();
    // The three buttons follow the find text: usable only while it is not empty.
    void EnableButtons() const;
    static void Notify(const std::function<void()>& handler);

    HWND owner_;
    std::unique_ptr<TREDialogForm> FDialog;
    TDialogStyle FLayout = TDialogStyle::dsFind;
    POINT FPosition{-1, -1};
    TREFindOptions FOptions = kDefaultFindOptions;
    TREFindOptions FExecute;
    std::u16string FFindText;
    std::u16string FReplaceText;
};

} // namespace nerula
