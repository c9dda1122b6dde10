// The main window's close and minimise buttons as the user meets them: their pixels at rest,
// under the pointer and pressed, and what a press released on or off them does.
#include <gtest/gtest.h>

#include <string>

#include "app/EditorResources.h"
#include "app/u_main.h"
#include "labels/ElImgLst.h"
#include "platform/Resources.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

constexpr COLORREF kButtonFill = 0x007F3727;

ImageListCells StoredCells(const char* resource) {
    return ReadImageListStream(LoadProgramData(resource).value(), 30, 22);
}

// The 34 x 34 button as it must look: its colour, and image 0 of `cells` with its mask at (left, top).
std::vector<COLORREF> Expected(const ImageListCells& cells, int left = 2, int top = 6) {
    std::vector<COLORREF> pixels(34 * 34, kButtonFill);
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 30; ++x)
            if (!cells.SeeThrough(x, y)) pixels[(top + y) * 34 + left + x] = PixelToColorRef(cells.image.Pixel(x, y) & 0xFFFFFF);
    return pixels;
}

class TitleButtons : public ::testing::Test {
protected:
    TitleButtons() : main(app.CreateForm<TfrmMain_Trimwell>()) {
        main.Show();
        app.ProcessMessages();
    }

    // The button's pixels, painted by the window into a bitmap.
    std::vector<COLORREF> Shot(const TElGraphicButton& button, const char* name = nullptr) {
        DibCanvas canvas(500, 368);
        SendMessageW(main.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 34; ++x) pixels.push_back(canvas.at(button.Left() + x, button.Top() + y));
        if (name != nullptr) {
            DibCanvas part(34, 34);
            BitBlt(part.dc(), 0, 0, 34, 34, canvas.dc(), button.Left(), button.Top(), SRCCOPY);
            SaveShot(part, name);
        }
        return pixels;
    }
    // Mouse messages as the window gets them, at a point of its client area.
    void Send(UINT msg, int x, int y) {
        POINT screen{x, y};
        ClientToScreen(main.Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(main.Handle(), msg, (msg == WM_LBUTTONDOWN || (msg == WM_MOUSEMOVE && pressed)) ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
        if (msg == WM_LBUTTONDOWN) pressed = true;
        if (msg == WM_LBUTTONUP) pressed = false;
    }
    void SendTo(UINT msg, const TElGraphicButton& b, int x = 17, int y = 17) { Send(msg, b.Left() + x, b.Top() + y); }

    TApplication app;
    TfrmMain_Trimwell& main;
    bool pressed = false;
};

}  // namespace

TEST_F(TitleButtons, ShowTheirListsGlyphCentredAndUnshiftedWhenPressed) {
    struct Case {
        TElGraphicButton* button;
        const char *normal, *hot, *down, *shot;
    };
    const Case cases[] = {{main.btnClose, kCloseListName, kCloseHotListName, kCloseDownListName, "close"},
                          {main.btnMinimize, kMinimizeListName, kMinimizeHotListName, kMinimizeDownListName, "minimize"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shot);
        const std::string name = c.shot;
        EXPECT_EQ(Shot(*c.button, (name + "-normal.bmp").c_str()), Expected(StoredCells(c.normal)));
        SendTo(WM_MOUSEMOVE, *c.button);
        EXPECT_EQ(c.button->CurrentList(), TElGlyphList::HotImages);
        EXPECT_EQ(Shot(*c.button, (name + "-hot.bmp").c_str()), Expected(StoredCells(c.hot)));
        SendTo(WM_LBUTTONDOWN, *c.button);
        EXPECT_EQ(c.button->State(), ebsDown);
        const auto down = Shot(*c.button, (name + "-down.bmp").c_str());
        EXPECT_EQ(down, Expected(StoredCells(c.down)));
        EXPECT_NE(down, Expected(StoredCells(c.down), 3, 7));
        c.button->OnClick = nullptr;  // the release below clicks; the program is to go on
        SendTo(WM_LBUTTONUP, *c.button);
        Send(WM_MOUSEMOVE, 300, 100);
    }
    // The lists as drawn: the close lists alike, the minimise hot and down lists alike and lit.
    EXPECT_EQ(StoredCells(kCloseListName).image, StoredCells(kCloseHotListName).image);
    EXPECT_EQ(StoredCells(kCloseListName).image, StoredCells(kCloseDownListName).image);
    EXPECT_EQ(StoredCells(kMinimizeHotListName).image, StoredCells(kMinimizeDownListName).image);
    EXPECT_NE(StoredCells(kMinimizeListName).image, StoredCells(kMinimizeHotListName).image);
}

TEST_F(TitleButtons, AReleaseOffTheButtonNeitherClicksNorKeepsTheHotImage) {
    TElGraphicButton& b = *main.btnMinimize;
    int clicks = 0;
    b.OnClick = [&](TComponent&) { ++clicks; };
    const auto normal = Expected(StoredCells(kMinimizeListName));
    const auto hot = Expected(StoredCells(kMinimizeHotListName));

    SendTo(WM_MOUSEMOVE, b);
    SendTo(WM_LBUTTONDOWN, b);
    // Dragged off: up again, but the hot glyph stays while the press lasts.
    Send(WM_MOUSEMOVE, 300, 100);
    EXPECT_EQ(b.State(), ebsUp);
    EXPECT_TRUE(b.Tracking());
    EXPECT_EQ(Shot(b), hot);
    // Back on: down again.
    SendTo(WM_MOUSEMOVE, b, 5, 5);
    EXPECT_EQ(b.State(), ebsDown);
    Send(WM_MOUSEMOVE, 300, 100);
    Send(WM_LBUTTONUP, 300, 100);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.CurrentList(), TElGlyphList::Images);
    EXPECT_EQ(Shot(b), normal);

    // A release on the button clicks once; the row just below it still counts as on it.
    SendTo(WM_MOUSEMOVE, b);
    SendTo(WM_LBUTTONDOWN, b);
    SendTo(WM_LBUTTONUP, b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Shot(b), hot);
    SendTo(WM_LBUTTONDOWN, b);
    SendTo(WM_LBUTTONUP, b, 17, 34);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(b.CurrentList(), TElGlyphList::Images);  // the pointer is off it all the same
}

TEST_F(TitleButtons, ListsHoldTheirStreamsInThePlatformList) {
    TElImageList& list = *main.imgListMin;
    EXPECT_EQ(list.Count(), 7);
    int w = 0, h = 0;
    ImageList_GetIconSize(list.Handle(), &w, &h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 22);
    // What the list stores again is what it read.
    const ImageListCells stored = StoredCells(kMinimizeListName);
    const ImageListCells again = ReadImageListStream(list.BitmapStream(), 30, 22);
    EXPECT_EQ(again.image, stored.image);
    EXPECT_EQ(again.mask, stored.mask);
    // Four narrow cells make two of the list's; for cells half as high, the strip is cut in rows.
    ImageListCells tall;
    tall.cellWidth = 15;
    tall.cellHeight = 22;
    tall.image = Bitmap(60, 22, 0x00336699);
    tall.mask = Bitmap(60, 22, kMaskOpaque);
    list.SetBitmap(WriteImageListStream(tall));
    EXPECT_EQ(list.Count(), 2);
    list.SetHeight(11);
    EXPECT_EQ(list.Count(), 0);  // a new cell size empties the list
    list.SetBitmap(WriteImageListStream(tall));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_THROW(list.SetBitmap(Bytes{1, 2, 3}), EElImageListError);
    EXPECT_EQ(list.Count(), 4);
}
