// Skinned push buttons on a shown window, each state reached the way a user reaches it:
// the real cursor moved over the button, a click, the keyboard focus, EnableWindow. The
// pictures are the buttons' windows as the screen shows them.
#include <string>

#include "../common/art.h"
#include "look.h"
#include "scenes.h"
#include "varnelle.h"

namespace gallery {
namespace {

enum Look { kText, kIconLeft, kIconRight, kIconTop, kNoEdge, kFlat, kBitmap, kDefault, kLookCount };

struct ButtonSpec {
    const char* name;
    const char* text;
    int width, height;
};
const ButtonSpec kSpecs[kLookCount] = {
    {"text", "Text only", 96, 28},  {"icon-left", "&Open", 96, 28},   {"icon-right", "&Next", 96, 28},
    {"icon-top", "&Save", 96, 48},  {"no-edge", "No edge", 96, 28},  {"flat", "&Flat", 96, 28},
    {"bitmap", "&Bitmap", 96, 28},  {"default", "&Default", 96, 28},
};

constexpr POINT kBoardAt = {460, 20};
constexpr POINT kCursorAway = {1270, 1010};

struct Board {
    HWND window = nullptr;
    HWND buttons[kLookCount] = {};
    HFONT font = CreatePinnedFont(-11);
    HFONT bold = CreatePinnedFont(-11, FW_BOLD);
    HICON icons[4] = {};
    HBITMAP faces[3] = {};
    CTRL_STRUCT records[kLookCount] = {};

    explicit Board(HINSTANCE instance)
    {
        using sample_art::Icon;
        window = CreateStage(instance, "VarnelleGalleryButtons", DefWindowProcA,
                             {kBoardAt.x, kBoardAt.y, kBoardAt.x + 360, kBoardAt.y + 260});
        if (!window)
            return;
        const Icon iconKinds[] = {Icon::Folder, Icon::Star, Icon::Disk, Icon::Help};
        for (int i = 0; i < 4; ++i)
            icons[i] = sample_art::MakeIcon(iconKinds[i]);
        RECT faceSize = {0, 0, 96, 28};
        unsigned __int64 fill = CreateFillBmp(8, &faceSize, 8, 50, 0, 0);
        faces[0] = VarnelleFillBmpPlain(fill);
        faces[1] = VarnelleFillBmpHighlighted(fill);
        faces[2] = sample_art::MakeFaceBitmap(96, 28, RGB(0x90, 0xA8, 0xD0), RGB(0xE0, 0xE8, 0xF8));
        for (int i = 0; i < kLookCount; ++i) {
            const ButtonSpec& spec = kSpecs[i];
            DWORD type = i == kDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            buttons[i] = CreateWindowExA(0, "BUTTON", spec.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type,
                                         12 + (i % 3) * 112, 12 + (i / 3) * 60, spec.width, spec.height, window,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance, nullptr);
            SendMessageA(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            CTRL_STRUCT& record = records[i];
            record.dwEdge = 1;
            record.hFont = font;
            switch (i) {
            case kIconLeft:
            case kDefault:
                record.hIcon = icons[0];
                record.hIconHover = icons[1];
                record.dwIconAlign = 0x100;
                record.hFontHover = bold;
                record.crTextHover = RGB(0, 0, 160);
                record.crTextPressed = RGB(160, 0, 0);
                break;
            case kIconRight:
                record.hIcon = icons[1];
                record.dwIconAlign = 0x200;
                break;
            case kIconTop:
                record.hIcon = icons[2];
                record.dwIconAlign = 0x400;
                break;
            case kNoEdge:
                record.dwEdge = 0;
                record.hIcon = icons[3];
                break;
            case kFlat:
                record.dwFlat = 1;
                record.hIcon = icons[3];
                record.crTextHover = RGB(0, 0, 160);
                break;
            case kBitmap:
                record.hBmp = faces[0];
                record.hBmpHover = faces[1];
                record.hBmpPressed = faces[2];
                break;
            default:
                break;
            }
            RedrawButton(buttons[i], &record);
        }
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        LetScreenSettle(150);
    }
    void useTextColours(bool dark)
    {
        for (int i : {kIconLeft, kDefault, kFlat}) {
            CTRL_STRUCT& record = records[i];
            record.crTextHover = dark ? RGB(0x9C, 0xC8, 0xFF) : RGB(0, 0, 160);
            record.crTextPressed = i == kFlat ? 0 : dark ? RGB(0xFF, 0xB0, 0xA0) : RGB(160, 0, 0);
            RedrawButton(buttons[i], &record);
        }
    }
    ~Board()
    {
        if (window)
            DestroyWindow(window);
        for (HICON icon : icons)
            DestroyIcon(icon);
        for (HBITMAP face : faces)
            DeleteObject(face);
        DeleteObject(font);
        DeleteObject(bold);
    }
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;
};

RECT WindowArea(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    return area;
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    LetScreenSettle();
}

void MoveCursorOver(HWND button)
{
    RECT area = WindowArea(button);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    LetScreenSettle(100);
    // Should the pointer's motion not have reached the button yet, the move it would send.
    POINT centre = {(area.right - area.left) / 2, (area.bottom - area.top) / 2};
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    LetScreenSettle();
}

void MoveCursorAway(HWND button)
{
    SetCursorPos(kCursorAway.x, kCursorAway.y);
    LetScreenSettle(100);
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    LetScreenSettle();
}

// The states shown for a button, each reached and then undone.
enum class State { Normal, Hovered, Pushed, Disabled, Focused };

Picture Capture(Board& board, int look, State state)
{
    HWND button = board.buttons[look];
    HWND boardWindow = board.window;
    SetForegroundWindow(boardWindow);
    SetFocus(boardWindow);
    Picture picture;
    switch (state) {
    case State::Normal:
        Repaint(button);
        picture = CaptureScreen(WindowArea(button));
        break;
    case State::Hovered:
        MoveCursorOver(button);
        picture = CaptureScreen(WindowArea(button));
        MoveCursorAway(button);
        break;
    case State::Pushed: {
        MoveCursorOver(button);
        POINT centre = {kSpecs[look].width / 2, kSpecs[look].height / 2};
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        LetScreenSettle();
        picture = CaptureScreen(WindowArea(button));
        // Released outside the button: no click reaches the board.
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
        MoveCursorAway(button);
        break;
    }
    case State::Disabled:
        EnableWindow(button, FALSE);
        Repaint(button);
        picture = CaptureScreen(WindowArea(button));
        EnableWindow(button, TRUE);
        break;
    case State::Focused:
        SetFocus(button);
        LetScreenSettle();
        picture = CaptureScreen(WindowArea(button));
        SetFocus(boardWindow);
        break;
    }
    Repaint(button);
    return picture;
}

struct Shot {
    int look;
    State state;
    const char* name;
    const char* row;
};
const Shot kShots[] = {
    {kIconLeft, State::Normal, "icon-left", "icon left (0x100), hover icon, bold hover font, hover and pressed text colours: normal"},
    {kIconLeft, State::Hovered, "icon-left-hovered", "the same, hovered (the cursor over it)"},
    {kIconLeft, State::Pushed, "icon-left-pushed", "the same, pushed (mouse button down)"},
    {kIconLeft, State::Disabled, "icon-left-disabled", "the same, disabled"},
    {kIconLeft, State::Focused, "icon-left-focused", "the same, keyboard focus"},
    {kDefault, State::Normal, "default", "a BS_DEFPUSHBUTTON skinned like the one above"},
    {kText, State::Normal, "text", "text only, edges"},
    {kIconRight, State::Normal, "icon-right", "icon right (0x200)"},
    {kIconTop, State::Normal, "icon-top", "icon top (0x400)"},
    {kNoEdge, State::Normal, "no-edge", "no edges (dwEdge 0)"},
    {kNoEdge, State::Pushed, "no-edge-pushed", "no edges, pushed: the icon moves"},
    {kFlat, State::Normal, "flat", "flat until hovered (dwFlat 1): normal"},
    {kFlat, State::Hovered, "flat-hovered", "flat until hovered: hovered"},
    {kFlat, State::Pushed, "flat-pushed", "flat until hovered: pushed"},
    {kBitmap, State::Normal, "bitmap", "face bitmaps (CreateFillBmp kind 8 and its highlighted copy, a gradient): normal"},
    {kBitmap, State::Hovered, "bitmap-hovered", "face bitmaps: hovered"},
    {kBitmap, State::Pushed, "bitmap-pushed", "face bitmaps: pushed"},
};

} // namespace

bool RenderButtons(HINSTANCE instance, const PictureSink& sink, std::string& error)
{
    Board board(instance);
    if (!board.window) {
        error = "could not create the button board";
        return false;
    }
    SetCursorPos(kCursorAway.x, kCursorAway.y);
    for (Scheme scheme : kLookSchemes) {
        ScopedScheme colours(scheme);
        // An application that offers a dark look picks hover and pressed colours that read
        // on it.
        board.useTextColours(scheme == Scheme::DarkMode);
        Repaint(board.window);
        for (const Shot& shot : kShots) {
            Picture picture = Capture(board, shot.look, shot.state);
            if (picture.empty()) {
                error = std::string("could not capture the button ") + shot.name;
                return false;
            }
            picture.name = std::string("button-") + shot.name + "-" + SchemeName(scheme);
            picture.group = "Buttons: RedrawButton on push buttons of a shown window";
            picture.row = shot.row;
            picture.column = SchemeTitle(scheme);
            picture.caption = shot.row;
            sink(std::move(picture));
        }
    }
    return true;
}

} // namespace gallery
