#include "search/win/find_window.h"

#include "common/win/wide.h"
#include "forms/find_dialog_layout.h"
#include "forms/form_layout.h"
#include "forms/resource_ids.h"

namespace nerula {
namespace {

// Moves a panel to a new top, keeping its left, width and height.
void MoveTop(HWND panel, const FormRect& designed, int top) {
    SetWindowPos(panel, nullptr, designed.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

TREDialogForm::TREDialogForm() : Dialog(kFindDialogControls, kFindDialogSpec) {}

HWND TREDialogForm::FindTextEdt() const noexcept {
    return Control(u"FindTextEdt");
}

HWND TREDialogForm::ReplaceTextEdt() const noexcept {
    return Control(u"ReplaceTextEdt");
}

void TREDialogForm::OnInitDialog() {
    // As designed: the replace layout, nothing moved.
    FDialogStyle = TDialogStyle::dsReplace;
}

void TREDialogForm::SetDialogStyle(TDialogStyle style) {
    FDialogStyle = style;
    // The panel of the regular-expression options follows its check box now; later
    // changes of the box leave the panel as it is until the next layout.
    ApplyLayout(Form().IsShown(u"UsesRegexpChk"));
}

void TREDialogForm::OnDpiChanged() {
    // The builder has put every panel back where the table has it, at the new size.
    if (laidOut_) {
        ApplyLayout(optionsExVisible_);
    }
}

void TREDialogForm::ApplyLayout(bool optionsExVisible) {
    BuiltForm& form = Form();
    const FindDialogPanels panels = ScaleToDpi(DesignedFindDialogPanels(kFindDialogControls), form.Dpi());
    const FindDialogLayout layout = LayoutFindDialog(panels, FDialogStyle, optionsExVisible);
    optionsExVisible_ = optionsExVisible;
    laidOut_ = true;

    SetWindowTextW(Handle(), ToWide(layout.caption).c_str());
    form.SetShown(u"ReplaceTextPnl", layout.replaceTextVisible);
    MoveTop(form.Control(u"OptionsPnl"), panels.options, layout.optionsTop);
    MoveTop(form.Control(u"OptionsExPnl"), panels.optionsEx, layout.optionsExTop);
    form.SetShown(u"OptionsExPnl", layout.optionsExVisible);
    MoveTop(form.Control(u"DirectionPnl"), panels.direction, layout.directionTop);
    form.SetShown(u"ReplacePnl", layout.replaceVisible);
    MoveTop(form.Control(u"CanselPnl"), panels.cancel, layout.cancelTop);
    form.ApplyClientSize(ScaleToDpi(kFindDialogSpec.clientWidth, form.Dpi()), layout.clientHeight);
}

void TREDialogForm::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_FIND_TEXT:
        if (code == EN_CHANGE) {
            Call(handlers_.findTextChange);
        }
        return;
    case IDC_REPLACE_TEXT:
        if (code == EN_CHANGE) {
            Call(handlers_.replaceTextChange);
        }
        return;
    case IDOK: // Enter where the dialog manager found no default button
    case IDC_FIND_BUTTON:
        // Enter reaches here even while the button is greyed (an empty find text); it does
        // nothing then, as a click cannot.
        if (code == BN_CLICKED && IsWindowEnabled(Form().ControlById(IDC_FIND_BUTTON))) {
            Call(handlers_.find);
        }
        return;
    case IDC_REPLACE_BUTTON:
        if (code == BN_CLICKED && IsWindowEnabled(Form().ControlById(IDC_REPLACE_BUTTON))) {
            Call(handlers_.replace);
        }
        return;
    case IDC_REPLACE_ALL_BUTTON:
        if (code == BN_CLICKED && IsWindowEnabled(Form().ControlById(IDC_REPLACE_ALL_BUTTON))) {
            Call(handlers_.replaceAll);
        }
        return;
    case IDCANCEL:
        // The Cancel button or Escape; the component hides the window.
        Call(handlers_.cansel);
        return;
    default:
        Dialog::OnCommand(id, code, control);
        return;
    }
}

INT_PTR TREDialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The close box hides the window without counting as Cancel.
        Hide();
        return TRUE;
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

void TREDialogForm::Call(const std::function<void()>& handler) {
    if (handler) {
        handler();
    }
}

} // namespace nerula
