// The main window's picture view: the plug-in table, showing a file as a picture, the
// view styles and copying the picture.

#include "app/app_title.h"
#include "app/win/main_form.h"
#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "image/win/picture_decoding.h"
#include "image/win/plugin_scanner.h"

namespace nerula {
namespace {

// Sets the client area's size, keeping the frame and menu around it. Width first, then
// height, since a narrower window may wrap its menu bar onto more lines.
void SetClientSize(HWND window, int width, int height) {
    for (const bool horizontal : {true, false}) {
        RECT outer{};
        RECT client{};
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        const int outerWidth = outer.right - outer.left;
        const int outerHeight = outer.bottom - outer.top;
        SetWindowPos(window, nullptr, 0, 0, horizontal ? width + outerWidth - client.right : outerWidth,
                     horizontal ? outerHeight : height + outerHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

void TMainForm::InitPlugins(std::u16string_view folder) {
    BuildPluginTable(FPlugins, folder);
}

void TMainForm::SetPluginPath(const std::u16string& folder) {
    if (pluginsBuilt_ && folder == FPluginPath) {
        return;
    }
    FPluginPath = folder;
    pluginsBuilt_ = true;
    InitPlugins(folder);
    FModified = true;
}

void TMainForm::SetViewStyle(std::int32_t style) {
    if (style == FViewStyle) {
        return;
    }
    FViewStyle = style;
    const HMENU view = GetSubMenu(GetMenu(Handle()), MENU_POS_VIEW);
    if (style == 1) {
        CheckMenuRadioItem(view, IDM_VIEW_ADJUST_WINDOW, IDM_VIEW_FULL_SIZE, IDM_VIEW_ADJUST_WINDOW,
                           MF_BYCOMMAND);
    } else if (style == 2) {
        CheckMenuRadioItem(view, IDM_VIEW_ADJUST_WINDOW, IDM_VIEW_FULL_SIZE, IDM_VIEW_FULL_SIZE,
                           MF_BYCOMMAND);
    }
}

bool TMainForm::ShowImage(const std::wstring& fileName, MemoryStream& stream) {
    memo_.SetVisible(false);
    ShowWindow(imageBox_.Handle(), SW_SHOW);
    stream.SetPosition(0);
    std::optional<Picture> picture = DecodePicture(fileName, stream, FPlugins, Handle());
    if (!picture) {
        return false;
    }
    // A new picture starts at the top left of the box.
    imageBox_.ScrollBy(SB_HORZ, -imageBox_.Position(SB_HORZ));
    imageBox_.ScrollBy(SB_VERT, -imageBox_.Position(SB_VERT));
    const int width = picture->Width();
    const int height = picture->Height();
    image_.SetPicture(std::move(*picture));
    SizeForPicture(width, height);

    const std::u16string name(FileNamePart(ToU16(fileName)));
    const std::optional<susie::PictureInfo> info = ReadPictureInfo(fileName, stream, FPlugins);
    const std::u16string caption =
        info
            ? FormatText(u"%s ( %d x %d %dbit ) - Nerula",
                         {name, ToDecimal(info->width), ToDecimal(info->height), ToDecimal(info->colorDepth)})
            : FormatText(u"%s - Nerula", {name});
    SetWindowTextW(Handle(), ToWide(caption).c_str());
    ApplyViewStyle();
    SetFocus(imageBox_.Handle());
    return true;
}

void TMainForm::SizeForPicture(int width, int height) {
    const RECT desktop = app_.Services().DesktopRect();
    POINT corner{width, height};
    ClientToScreen(Handle(), &corner);
    if (corner.x >= desktop.left && corner.x < desktop.right && corner.y >= desktop.top &&
        corner.y < desktop.bottom) {
        // Two pixels of the scroll box's sunken border on every side.
        SetClientSize(Handle(), width + 4, height + 4);
    }
}

void TMainForm::ApplyViewStyle() {
    if (FViewStyle == 1) {
        ApplyFitToWindow();
    } else if (FViewStyle == 2) {
        ApplyActualSize();
    }
}

void TMainForm::ApplyFitToWindow() {
    // Without content beyond the box its scroll bars go, and the whole client area is
    // what the picture is fitted to.
    imageBox_.SetContentSize(0, 0);
    RECT client{};
    GetClientRect(imageBox_.Handle(), &client);
    image_.FitTo(client.right, client.bottom);
    imageBox_.SetContentSize(client.right, client.bottom);
}

void TMainForm::ApplyActualSize() {
    image_.ShowActualSize();
    imageBox_.SetContentSize(image_.CurrentPicture().Width(), image_.CurrentPicture().Height());
}

void TMainForm::ViewStyleMnusClick(UINT itemId) {
    CheckMenuRadioItem(GetSubMenu(GetMenu(Handle()), MENU_POS_VIEW), IDM_VIEW_ADJUST_WINDOW,
                       IDM_VIEW_FULL_SIZE, itemId, MF_BYCOMMAND);
    SetViewStyle(itemId == IDM_VIEW_ADJUST_WINDOW ? 1 : 2);
    ApplyViewStyle();
    FModified = true;
}

void TMainForm::CopyPicture() {
    const Picture& picture = image_.CurrentPicture();
    if (!OpenClipboard(Handle())) {
        throw Exception(FormatText(u"クリップボード %s を開けません", {SystemErrorText(GetLastError())}));
    }
    EmptyClipboard();
    if (!picture.Empty()) {
        // The clipboard takes a device-dependent copy, which it then owns.
        const HDC screen = GetDC(nullptr);
        const HBITMAP copy = CreateCompatibleBitmap(screen, picture.Width(), picture.Height());
        if (copy != nullptr) {
            const HDC source = CreateCompatibleDC(screen);
            const HDC target = CreateCompatibleDC(screen);
            const HGDIOBJ oldSource = SelectObject(source, picture.Handle());
            const HGDIOBJ oldTarget = SelectObject(target, copy);
            BitBlt(target, 0, 0, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
            SelectObject(source, oldSource);
            SelectObject(target, oldTarget);
            DeleteDC(source);
            DeleteDC(target);
            if (SetClipboardData(CF_BITMAP, copy) == nullptr) {
                DeleteObject(copy);
            }
        }
        ReleaseDC(nullptr, screen);
    }
    CloseClipboard();
}

} // namespace nerula
