#pragma once
// The numeric edit: an EDIT and the up-down control beside it, made by the form builder
// (ControlKind::Edit, then ControlKind::UpDown), as one control.
//
// The edit takes only the characters of its filters, from the keyboard and from the
// clipboard, and beeps for what it refuses. The up-down control sits against the edit's
// right side at the edit's height, and is enabled and shown with it. Which change fires
// which event, and when the pair is verified, is the portable pair's rule
// (controls/up_down_pair.h); this class gives it the two windows.
//
// The notifications that the two send to their dialog (EN_CHANGE, UDN_DELTAPOS,
// WM_VSCROLL or WM_HSCROLL) reach the dialog, not this object: the dialog hands each such
// message to HandleNotification.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

#include "common/win/platform_services.h"
#include "common/win/subclass.h"
#include "controls/filter_chars.h"
#include "controls/numeric_relation.h"
#include "controls/up_down_pair.h"

namespace nerula {

class TUpDownEdit : public UpDownPairEvents {
public:
    // Attaches the up-down control to the edit, its buddy, and places it. Beeps go to
    // `services`, which must outlive this object.
    TUpDownEdit(HWND edit, HWND upDown, PlatformServices& services = SystemPlatformServices());
    ~TUpDownEdit();
    TUpDownEdit(const TUpDownEdit&) = delete;
    TUpDownEdit& operator=(const TUpDownEdit&) = delete;

    // The windows while they exist; nullptr once destroyed. Without the up-down control
    // the edit goes on alone: its text is then the value.
    HWND Edit() const noexcept;
    HWND UpDown() const noexcept;

    // A typed character before the filters see it; the handler may change it, and a
    // character changed to 0 is dropped without a beep.
    std::function<void(wchar_t& key)> OnKeyPress;

    TFilterChars Filters() const noexcept { return filters_; }
    void SetFilters(TFilterChars filters) noexcept { filters_ = filters; }

    std::u16string Text() const;
    // Writes the edit's text when it differs; the dialog sees the change as EN_CHANGE.
    void SetText(std::u16string_view text);

    // The up-down control's position, or without it the edit's number (an Exception when
    // the text is no number).
    std::int32_t Value() const { return pair_.Value(); }
    void SetValue(std::int32_t value) { pair_.SetValue(value); }
    // Assigns the up-down control's position (fires OnCount and ends an update).
    void SetPosition(std::int32_t position) { pair_.SetPosition(position); }
    TNumericallyRelationship Relation() const { return pair_.Relation(); }

    void BeginUpdate() noexcept { pair_.BeginUpdate(); }
    void EndUpdate() { pair_.EndUpdate(); }
    std::int32_t UpdateCount() const noexcept { return pair_.UpdateCount(); }

    // The up-down control's range; 0 without it.
    std::int32_t Min() const noexcept;
    std::int32_t Max() const noexcept;
    void SetMin(std::int32_t minimum) noexcept;
    void SetMax(std::int32_t maximum) noexcept;

    // For each WM_COMMAND, WM_NOTIFY, WM_VSCROLL and WM_HSCROLL that the dialog receives:
    // true when it was this control's notification and was handled here, with the result
    // to give back (for WM_NOTIFY, through DWLP_MSGRESULT).
    bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    class Windows;

    bool HasUpDown() const noexcept;
    LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT TypedCharacter(HWND window, WPARAM wParam, LPARAM lParam);
    LRESULT Paste(HWND window, WPARAM wParam, LPARAM lParam);
    void PlaceUpDown() const noexcept;
    void KeepBesideEdit(WINDOWPOS& position) const noexcept;
    void FollowVisibility() const noexcept;

    HWND edit_;
    HWND upDown_;
    PlatformServices& services_;
    TFilterChars filters_;
    std::unique_ptr<Windows> windows_;
    UpDownPair pair_;
    // Last, so that they go first: no message reaches a half-destroyed object.
    std::unique_ptr<WindowSubclass> upDownSubclass_;
    std::unique_ptr<WindowSubclass> editSubclass_;
};

} // namespace nerula
