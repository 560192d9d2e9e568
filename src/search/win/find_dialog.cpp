#include "search/win/find_dialog.h"

#include <array>
#include <string_view>

#include "common/win/wide.h"
#include "common/win/window_text.h"

namespace nerula {
namespace {

using enum TREFindOption;

// A check box and the three options that show it, grey it out and tick it.
struct CheckOption {
    std::u16string_view box;
    TREFindOption disable;
    TREFindOption hide;
    TREFindOption option;
};

// In the order in which they are applied.
constexpr std::array<CheckOption, 4> kCheckOptions{{
    {u"WholeWordChk", frDisableWholeWord, frHideWholeWord, frWholeWord},
    {u"MatchCaseChk", frDisableMatchCase, frHideMatchCase, frMatchCase},
    {u"UsesRegexpChk", frDisableUsesRegexp, frHideUsesRegexp, frUsesRegexp},
    {u"MultiLineChk", frDisableMultiLine, frHideMultiLine, frMultiLine},
}};

constexpr std::u16string_view kDirection = u"DirectionRgp";
constexpr int kDirectionDown = 1;

bool Checked(HWND button) noexcept {
    return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) noexcept {
    if (button != nullptr) {
        SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

} // namespace

TREFindOptions TREFindDialog::Options() const {
    if (!FDialog || FDialog->Handle() == nullptr) {
        return FOptions;
    }
    const BuiltForm& form = FDialog->Form();
    TREFindOptions options = FExecute;
    for (const CheckOption& check : kCheckOptions) {
        if (!form.IsEnabled(check.box)) {
            options = options | check.disable;
        }
        if (!form.IsShown(check.box)) {
            options = options | check.hide;
        }
        if (Checked(form.Control(check.box))) {
            options = options | check.option;
        }
    }
    if (!form.IsEnabled(kDirection)) {
        options = options | frDisableUpDown;
    }
    if (!form.IsShown(kDirection)) {
        options = options | frHideUpDown;
    }
    if (Checked(form.RadioItem(kDirection, kDirectionDown))) {
        options = options | frDown;
    }
    return options;
}

void TREFindDialog::SetOptions(TREFindOptions options) {
    FOptions = options;
    if (FDialog && FDialog->Handle() != nullptr) {
        ApplyOptions(options);
    }
}

void TREFindDialog::ApplyOptions(TREFindOptions options) const {
    const BuiltForm& form = FDialog->Form();
    for (const CheckOption& check : kCheckOptions) {
        form.SetEnabled(check.box, !options.Has(check.disable));
        form.SetShown(check.box, !options.Has(check.hide));
        SetChecked(form.Control(check.box), options.Has(check.option));
    }
    form.SetEnabled(kDirection, !options.Has(frDisableUpDown));
    form.SetShown(kDirection, !options.Has(frHideUpDown));
    const bool down = options.Has(frDown);
    SetChecked(form.RadioItem(kDirection, kDirectionDown), down);
    SetChecked(form.RadioItem(kDirection, 1 - kDirectionDown), !down);
}

std::u16string TREFindDialog::FindText() const {
    if (FDialog && FDialog->Handle() != nullptr) {
        return WindowText(FDialog->FindTextEdt());
    }
    return FFindText;
}

void TREFindDialog::SetFindText(const std::u16string& text) {
    FFindText = text;
    if (FDialog && FDialog->Handle() != nullptr) {
        SetWindowTextW(FDialog->FindTextEdt(), ToWide(text).c_str());
    }
}

POINT TREFindDialog::Position() const {
    if (FDialog && FDialog->Handle() != nullptr) {
        RECT window{};
        GetWindowRect(FDialog->Handle(), &window);
        return {window.left, window.top};
    }
    return FPosition;
}

void TREFindDialog::SetPosition(POINT position) {
    if (position.x == FPosition.x && position.y == FPosition.y) {
        return;
    }
    FPosition = position;
    if (FDialog && FDialog->Handle() != nullptr) {
        SetWindowPos(FDialog->Handle(), nullptr, position.x, position.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TREFindDialog::Execute() {
    CreateWindowOnce();
    const HWND window = FDialog->Handle();
    ShowWindow(window, SW_SHOW);
    // Shown already, the window is brought forward as well.
    SetActiveWindow(window);
    const HWND edit = FDialog->FindTextEdt();
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Notify(OnShow);
    return true;
}

void TREFindDialog::CreateWindowOnce() {
    if (FDialog && FDialog->Handle() != nullptr) {
        return;
    }
    if (FPosition.x < 0 && FPosition.y < 0) {
        POINT origin{0, 0};
        if (owner_ != nullptr) {
            ClientToScreen(owner_, &origin);
        }
        FPosition = origin;
    }
    auto dialog = std::make_unique<TREDialogForm>();
    dialog->CreateModeless(owner_);
    FDialog = std::move(dialog);
    ApplyOptions(FOptions);
    SetWindowPos(FDialog->Handle(), nullptr, FPosition.x, FPosition.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(FDialog->FindTextEdt(), ToWide(FFindText).c_str());
    SetWindowTextW(FDialog->ReplaceTextEdt(), ToWide(FReplaceText).c_str());
    FDialog->SetHandlers({
        .findTextChange = [this] { FindTextChange(); },
        .replaceTextChange = [this] { ReplaceTextChange(); },
        .find = [this] { Find(); },
        .replace = [this] { Replace(); },
        .replaceAll = [this] { ReplaceAll(); },
        .cansel = [this] { Cansel(); },
    });
    // The buttons follow the text the window starts with too: one given before the first
    // showing would otherwise leave them greyed until the user typed.
    EnableButtons();
    FDialog->SetDialogStyle(FLayout);
}

void TREFindDialog::CloseDialog() {
    if (FDialog && FDialog->Handle() != nullptr) {
        FDialog->Hide();
        Notify(OnClose);
    }
}

void TREFindDialog::Find() {
    FExecute = frFindNext;
    Notify(OnFind);
}

void TREFindDialog::Replace() {
    FExecute = FExecute | frReplace;
    Notify(OnReplace);
}

void TREFindDialog::ReplaceAll() {
    FExecute = FExecute | frReplaceAll;
    Notify(OnReplaceAll);
}

void TREFindDialog::Cansel() {
    FExecute = {};
    if (FDialog) {
        FDialog->Hide();
    }
}

void TREFindDialog::FindTextChange() {
    EnableButtons();
    FExecute = FExecute.Without(frFindNext);
}

void TREFindDialog::ReplaceTextChange() {
    FExecute = FExecute.Without(frFindNext);
}

void TREFindDialog::EnableButtons() const {
    const bool usable = GetWindowTextLengthW(FDialog->FindTextEdt()) > 0;
    const BuiltForm& form = FDialog->Form();
    for (const std::u16string_view button : {u"FindBtn", u"ReplaceBtn", u"ReplaceAllBtn"}) {
        form.SetEnabled(button, usable);
    }
}

void TREFindDialog::Notify(const std::function<void()>& handler) {
    if (handler) {
        handler();
    }
}

} // namespace nerula
