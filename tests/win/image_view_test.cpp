// Showing files as pictures in the main window: the built-in BMP reader, the window's size
// and caption, the view styles and Copy.

#include <gtest/gtest.h>

#include "bmp_fixture.h"
#include "forms/resource_ids.h"
#include "main_form_fixture.h"

namespace nerula {
namespace {

using test::Bmp24;
using test::FixtureColour;
using test::IsShown;
using test::MainFormTest;

class ImageViewTest : public MainFormTest {
protected:
    SIZE ClientSize(HWND window) const {
        RECT client{};
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
    SIZE WindowSize(HWND window) const {
        RECT outer{};
        GetWindowRect(window, &outer);
        return {outer.right - outer.left, outer.bottom - outer.top};
    }
    bool HasScrollBar(int bar) const {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        GetScrollInfo(form->ImageBox().Handle(), bar, &info);
        return info.nMax >= static_cast<int>(info.nPage) && info.nPage > 0;
    }
};

TEST_F(ImageViewTest, ABmpIsShownWithItsSizeAndDepthInTheCaption) {
    const std::wstring path = folder.Write(L"picture.bmp", Bmp24(400, 300));
    Create(L"\"" + path + L"\"");
    ASSERT_TRUE(services.boxes.empty()) << ToU16(services.boxes.front().text).size();
    EXPECT_EQ(Caption(), L"picture.bmp ( 400 x 300 24bit ) - Nerula");
    EXPECT_TRUE(IsShown(form->ImageBox().Handle()));
    EXPECT_FALSE(IsShown(form->Memo()));
    EXPECT_EQ(GetFocus(), form->ImageBox().Handle());
    // The client area takes the picture and the box's sunken border.
    EXPECT_EQ(ClientSize(form->Handle()).cx, 404);
    EXPECT_EQ(ClientSize(form->Handle()).cy, 304);
    const Picture& picture = form->Image().CurrentPicture();
    ASSERT_EQ(picture.Width(), 400);
    ASSERT_EQ(picture.Height(), 300);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{399, 0}, std::pair{5, 299}, std::pair{31, 20}}) {
        EXPECT_EQ(picture.Pixels()[static_cast<std::size_t>(y * 400 + x)] & 0xFFFFFF, FixtureColour(x, y))
            << x << "," << y;
    }
    EXPECT_EQ(Title(), path + L" - Nerula");
}

TEST_F(ImageViewTest, ATopDownBmpIsUprightAndItsCaptionShowsTheNegativeHeight) {
    const std::wstring path = folder.Write(L"topdown.bmp", Bmp24(5, 3, true));
    Create(L"\"" + path + L"\"");
    EXPECT_EQ(Caption(), L"topdown.bmp ( 5 x -3 24bit ) - Nerula");
    const Picture& picture = form->Image().CurrentPicture();
    ASSERT_EQ(picture.Height(), 3);
    EXPECT_EQ(picture.Pixels()[0] & 0xFFFFFF, FixtureColour(0, 0));
    EXPECT_EQ(picture.Pixels()[14] & 0xFFFFFF, FixtureColour(4, 2));
}

TEST_F(ImageViewTest, ABmpThatIsNoneFailsAndIsNotShownAsText) {
    struct Case {
        std::string bytes;
        std::wstring message;
    };
    const std::vector<Case> cases{
        {"plain text, not a bitmap", L"ビットマップ画像が無効です"},
        {Bmp24(4, 4).substr(0, 40), L"ストリームからの読み取りエラー"},
    };
    for (const Case& c : cases) {
        const std::wstring path = folder.Write(L"bad.bmp", c.bytes);
        Create(L"\"" + path + L"\"");
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, c.message + L".");
        EXPECT_FALSE(IsShown(form->Memo()));
        services.boxes.clear();
        form.reset();
    }
}

TEST_F(ImageViewTest, FilesOfOtherExtensionsWithoutAPluginAreText) {
    const std::wstring path = folder.Write(L"picture.xyz", Bmp24(4, 4));
    Create(L"/C1252 \"" + path + L"\"");
    EXPECT_TRUE(IsShown(form->Memo()));
    EXPECT_FALSE(IsShown(form->ImageBox().Handle()));
}

TEST_F(ImageViewTest, ALargePictureKeepsTheWindowSizeAndIsFittedOrScrolled) {
    services.desktop = RECT{0, 0, 800, 600};
    const std::wstring path = folder.Write(L"large.bmp", Bmp24(1200, 300));
    Create(L"");
    const SIZE before = WindowSize(form->Handle());
    form->OpenFile(path, 0, 1, 1);
    EXPECT_EQ(WindowSize(form->Handle()).cx, before.cx);
    EXPECT_EQ(WindowSize(form->Handle()).cy, before.cy);
    ASSERT_EQ(form->ViewStyle(), PictureViewStyle::FitToWindow);
    EXPECT_TRUE(Checked(IDM_VIEW_ADJUST_WINDOW));

    // Fitted: as wide as the box, the aspect kept, centred, no scroll bars.
    const SIZE box = ClientSize(form->ImageBox().Handle());
    const PictureRect drawn = form->Image().DrawnRect();
    EXPECT_EQ(drawn.width, box.cx);
    EXPECT_EQ(drawn.height, static_cast<int>(box.cx / 4.0));
    EXPECT_EQ(drawn.top, (box.cy - drawn.height) / 2);
    EXPECT_FALSE(HasScrollBar(SB_HORZ));

    Click(IDM_VIEW_FULL_SIZE);
    EXPECT_EQ(form->ViewStyle(), PictureViewStyle::ActualSize);
    EXPECT_TRUE(Checked(IDM_VIEW_FULL_SIZE));
    EXPECT_FALSE(Checked(IDM_VIEW_ADJUST_WINDOW));
    EXPECT_EQ(ClientSize(form->Image().Handle()).cx, 1200);
    EXPECT_TRUE(HasScrollBar(SB_HORZ));
    EXPECT_TRUE(form->Modified());
    form->ImageBox().ScrollBy(SB_HORZ, 100);
    EXPECT_EQ(form->ImageBox().Position(SB_HORZ), 100);

    Click(IDM_VIEW_ADJUST_WINDOW);
    EXPECT_FALSE(HasScrollBar(SB_HORZ));
    EXPECT_EQ(form->ImageBox().Position(SB_HORZ), 0);
    EXPECT_EQ(form->Image().DrawnRect().width, ClientSize(form->ImageBox().Handle()).cx);
}

TEST_F(ImageViewTest, ASmallPictureIsNeverEnlargedWhenFitted) {
    const std::wstring path = folder.Write(L"small.bmp", Bmp24(20, 10));
    Create(L"");
    SetWindowPos(form->Handle(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    services.desktop = RECT{0, 0, 10, 10}; // nothing fits: the window keeps its size
    form->OpenFile(path, 0, 1, 1);
    const SIZE box = ClientSize(form->ImageBox().Handle());
    const PictureRect drawn = form->Image().DrawnRect();
    EXPECT_EQ(drawn.width, 20);
    EXPECT_EQ(drawn.height, 10);
    EXPECT_EQ(drawn.left, (box.cx - 20) / 2);
}

TEST_F(ImageViewTest, CopyPutsThePictureOnTheClipboard) {
    const std::wstring path = folder.Write(L"copy.bmp", Bmp24(7, 5));
    Create(L"\"" + path + L"\"");
    ASSERT_TRUE(test::MenuItemEnabled(form->Handle(), MENU_POS_EDIT, IDM_EDIT_COPY));
    EXPECT_FALSE(test::MenuItemEnabled(form->Handle(), MENU_POS_EDIT, IDM_EDIT_FIND));
    Click(IDM_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    const bool described = bitmap != nullptr && GetObjectW(bitmap, sizeof info, &info) != 0;
    CloseClipboard();
    ASSERT_TRUE(described);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
}

TEST_F(ImageViewTest, AViewStyleOtherThanOneOrTwoAppliesNeither) {
    Create(L"");
    form->SetViewStyle(static_cast<PictureViewStyle>(7));
    EXPECT_FALSE(Checked(IDM_VIEW_ADJUST_WINDOW) && Checked(IDM_VIEW_FULL_SIZE));
    const std::wstring path = folder.Write(L"odd.bmp", Bmp24(30, 20));
    form->OpenFile(path, 0, 1, 1);
    EXPECT_TRUE(IsShown(form->ImageBox().Handle()));
    EXPECT_EQ(form->ViewStyle(), static_cast<PictureViewStyle>(7));
}

} // namespace
} // namespace nerula
