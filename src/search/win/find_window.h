#pragma once
// The find window: a modeless dialog made from the find table (forms/find_dialog_layout.h)
// in either of its two layouts. It knows nothing of searching; its owner, the find
// component (search/win/find_dialog.h), reads and writes its controls and is told of its
// edits' changes and its buttons.
//
// It hides rather than closes: Cancel, Escape, the close box. Escape arrives as the Cancel
// button (the button carries the ID that the dialog manager sends for Escape); the close
// box only hides, so that the component can tell the two apart.

#include <functional>
#include <string_view>

#include "common/win/dialog.h"
#include "search/find_layout.h"

namespace nerula {

class TREDialogForm final : public Dialog {
public:
    // What the window tells its owner. Each may be left empty.
    struct Handlers {
        std::function<void()> findTextChange;
        std::function<void()> replaceTextChange;
        std::function<void()> find;
        std::function<void()> replace;
        std::function<void()> replaceAll;
        std::function<void()> cansel;
    };

    TREDialogForm();

    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

    // The layout, as designed (replacing) until written; writing lays the window out anew.
    TDialogStyle DialogStyle() const noexcept { return FDialogStyle; }
    void SetDialogStyle(TDialogStyle style);

    // The controls by their names in the table; only while the window exists.
    HWND FindTextEdt() const noexcept;
    HWND ReplaceTextEdt() const noexcept;

protected:
    // The component places the window itself.
    void PlaceWindow(HWND) override {}
    void OnInitDialog() override;
    void OnDpiChanged() override;
    void OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Applies the layout of FDialogStyle, the regular-expression panel shown or not.
    void ApplyLayout(bool optionsExVisible);
    static void Call(const std::function<void()>& handler);

    TDialogStyle FDialogStyle = TDialogStyle::dsReplace;
    // Whether DialogStyle was written: until then the window is as the table designs it.
    bool laidOut_ = false;
    bool optionsExVisible_ = true;
    Handlers handlers_;
};

} // namespace nerula
