#pragma once
// The base of Nerula's dialogs, modal and modeless, built from a control table.
//
// The dialog manager runs them from an empty in-memory template (no controls, no dialog
// units), so that it gives them what a dialog has: tab order, the default and cancel
// buttons, access keys and IsDialogMessage. In WM_INITDIALOG the controls are made from
// the table at the window's DPI (forms/form_table.h, common/win/form_builder.h).
//
// Modal and modeless dialogs differ only in how OK and Cancel end them: a modal one ends
// (EndDialog with the button's ID, which ShowModal returns), a modeless one hides and
// stays to be shown again. Escape and the close box arrive as IDCANCEL, Enter as the
// default button's ID.

#include <exception>
#include <memory>
#include <span>
#include <string_view>

#include <windows.h>

#include "common/win/form_builder.h"
#include "forms/form_table.h"

namespace nerula {

class Dialog {
public:
    // The table is kept, not copied: it must outlive the dialog (tables are constants).
    Dialog(std::span<const ControlSpec> controls, const FormSpec& form);
    // Destroys the dialog's window if it has one.
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally and returns the ID that ended it (IDOK, IDCANCEL or the ID
    // given to Close). An exception in making it is thrown from here.
    INT_PTR ShowModal(HWND owner);
    // Makes the dialog as a modeless window, hidden; Show shows it. Does nothing if it
    // already exists. An exception in making it is thrown from here.
    void CreateModeless(HWND owner);
    void Show();
    void Hide();
    // Runs a dialog made by CreateModeless modally: the owner is disabled and the dialog
    // shown with a message loop of its own until Close, which hides it again; returns the
    // ID given to Close. The controls keep their state between showings. A WM_QUIT that
    // arrives meanwhile ends the loop and is posted again for the loop outside.
    INT_PTR RunModal();

    HWND Handle() const noexcept { return hwnd_; }
    bool IsModal() const noexcept { return modal_; }
    // The controls; only while the window exists.
    BuiltForm& Form() const noexcept { return *built_; }
    HWND Control(std::u16string_view name) const noexcept;

protected:
    // The DPI to lay the controls out for at first; the window's own by default.
    virtual unsigned InitialDpi();
    // Places the window once it has its size: centred on the owner, or on the work area of
    // the owner's monitor when the owner is hidden or missing, and kept on that area.
    virtual void PlaceWindow(HWND owner);
    // After the controls are made and the window placed; focus goes to the first tab stop.
    virtual void OnInitDialog() {}
    // After the controls were laid out anew for a monitor of another DPI (WM_DPICHANGED).
    virtual void OnDpiChanged() {}
    // WM_COMMAND. By default IDOK and IDCANCEL close the dialog with their ID; a derived
    // dialog calls this for the commands it does not handle itself.
    virtual void OnCommand(int id, int code, HWND control);
    // WM_NOTIFY from a control; the result goes back to it. A page control's change of
    // page is handled before this is called.
    virtual LRESULT OnNotify(const NMHDR& header);
    // Every other message, with a dialog procedure's result: FALSE for the dialog
    // manager's own handling, TRUE (and DWLP_MSGRESULT) for handled.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Ends a modal dialog with `result`; hides a modeless one.
    void Close(INT_PTR result);

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    void InitDialog();

    std::span<const ControlSpec> controls_;
    FormSpec form_;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    bool modal_ = false;
    // RunModal's loop runs, and the result that Close gave it.
    bool running_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
    std::unique_ptr<BuiltForm> built_;
    std::exception_ptr initError_;
};

// The modeless dialog that is active now, for the message loop to give its messages to
// IsDialogMessageW first; nullptr when none is.
HWND ActiveModelessDialog() noexcept;

} // namespace nerula
