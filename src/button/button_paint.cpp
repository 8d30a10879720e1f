// PaintButton: a skinned button's WM_DRAWITEM in four stages (frame, layout, face, focus
// ring), drawing only what the owner-draw action needs.
#include "button_internal.h"

#include "../colour/drawing.h"
#include "../colour/palette_drawing.h"
#include "../core/gdi_handles.h"
#include "../core/module_state.h"
#include "../core/thread_state.h"
#include "../core/system_text.h"
#include "../core/text_core.h"
#include "button_layout.h"

namespace varnelle {
namespace {

enum ButtonState { kNormal = 0, kHovered = 1, kPressed = 2 }; // hovered also means just released

// The button's window text in a zero-filled block of library memory, in the encoding the
// system keeps it in (UTF-16 on Windows NT).
class WindowText {
public:
    explicit WindowText(HWND button) : wide_(SystemTextIsWide())
    {
        const int length = wide_ ? GetWindowTextLengthW(button) : GetWindowTextLengthA(button);
        const SIZE_T unit = wide_ ? sizeof(wchar_t) : sizeof(char);
        // A length no block can hold reads as no text.
        if (length <= 0 || static_cast<SIZE_T>(length) >= static_cast<SIZE_T>(-1) / unit - 1)
            return;
        buffer_.reset(GlobalAlloc(GMEM_ZEROINIT, (static_cast<SIZE_T>(length) + 1) * unit));
        if (!buffer_)
            return;
        void* block = buffer_.get();
        const int read = wide_ ? GetWindowTextW(button, static_cast<wchar_t*>(block), length + 1)
                               : GetWindowTextA(button, static_cast<char*>(block), length + 1);
        length_ = read < 0 ? 0 : read > length ? length : read;
    }
    TextRun run() const
    {
        const void* block = buffer_.get();
        if (!block)
            return {};
        return wide_ ? TextRun(static_cast<const wchar_t*>(block), length_)
                     : TextRun(static_cast<const char*>(block), length_);
    }
    int length() const { return length_; }
    // Drops the mnemonic marks, for drawing with DT_NOPREFIX while access keys are hidden.
    void hideAccessKeys()
    {
        if (void* block = buffer_.get()) {
            length_ = wide_ ? WithoutMnemonicMarks(static_cast<wchar_t*>(block), length_, static_cast<wchar_t*>(block))
                            : WithoutMnemonicMarks(static_cast<char*>(block), length_, static_cast<char*>(block));
        }
    }

private:
    unique_global buffer_;
    bool wide_;
    int length_ = 0;
};

// What a paint changes in the item's DC, put back when it ends: the background mode, the
// text colour and the font. RestoreDC would put them back too, at many times the cost
// under Wine, where it selects every object again.
class PaintDcState {
public:
    explicit PaintDcState(HDC dc) : dc_(dc), bkMode_(SetBkMode(dc, TRANSPARENT)) {}
    PaintDcState(const PaintDcState&) = delete;
    PaintDcState& operator=(const PaintDcState&) = delete;
    ~PaintDcState()
    {
        if (font_)
            SelectObject(dc_, font_);
        if (textColourSet_ && textColour_ != CLR_INVALID)
            SetTextColor(dc_, textColour_);
        if (bkMode_)
            SetBkMode(dc_, bkMode_);
    }
    void setTextColour(COLORREF colour)
    {
        const COLORREF previous = SetTextColor(dc_, colour);
        if (!textColourSet_) {
            textColour_ = previous;
            textColourSet_ = true;
        }
    }
    // An application's font; a handle that is no font changes nothing.
    void selectFont(HFONT font)
    {
        const HGDIOBJ previous = SelectObject(dc_, font);
        if (!font_ && previous && previous != HGDI_ERROR)
            font_ = previous;
    }

private:
    HDC dc_;
    int bkMode_;
    HGDIOBJ font_ = nullptr;
    COLORREF textColour_ = CLR_INVALID;
    bool textColourSet_ = false;
};

struct Paint {
    PaintColours colours; // the system colours or the dark palette
    HDC dc;
    HWND button;
    UINT action;
    UINT state;
    CTRL_STRUCT record;
    RecordIconSizes iconSizes;
    RECT item;                  // rcItem: the face rectangle of frame, bitmap, fill and ring
    ButtonState look = kNormal;
    bool face = false;          // face, icon and text are drawn
    HICON icon = nullptr;       // an icon also calls for the face
    bool text = false;          // a text colour was set: at least the text is redrawn
    bool disabled = false;      // disabled and drawn entirely
    bool pressedWithoutEdge = false;
    UINT textFormat = 0;        // DT_NOPREFIX while access keys are hidden
    PaintDcState* dcState = nullptr;
    ButtonPaintCache* cache = nullptr; // null: every bitmap and icon is drawn by the system's calls
};

RECT Inset(const RECT& rect, int by)
{
    RECT inset = rect;
    InflateRect(&inset, -by, -by);
    return inset;
}

// With the system's button-face brush (never deleted) while the system colours are read.
void FillFace(const Paint& paint, const RECT& rect)
{
    FillInColour(paint.dc, rect, paint.colours, PaletteColour::ButtonFace);
}

void FrameInFaceColour(const Paint& paint, const RECT& rect)
{
    FrameInColour(paint.dc, rect, paint.colours, PaletteColour::ButtonFace);
}

void Edge(const Paint& paint, UINT edge)
{
    PaintEdge(paint.dc, paint.item, edge, BF_RECT, paint.colours);
}

COLORREF Colour(const Paint& paint, PaletteColour colour)
{
    return paint.colours.palette[colour];
}

void TextColour(Paint& paint, COLORREF colour)
{
    paint.dcState->setTextColour(colour);
    paint.text = true;
}

void SelectFont(Paint& paint, HFONT font)
{
    paint.dcState->selectFont(font);
    paint.face = true;
}

// The text colour of the normal state.
COLORREF NormalTextColour(const Paint& paint)
{
    return paint.record.crText ? paint.record.crText : Colour(paint, PaletteColour::ButtonText);
}

// A press or release without edges fills the whole button: the label, painted over by the
// fill, is drawn again even when the record sets nothing else for the state.
void KeepLabelOverFill(Paint& paint)
{
    if (!paint.record.dwEdge && !paint.text)
        TextColour(paint, NormalTextColour(paint));
}

HICON FirstIcon(HICON first, HICON second)
{
    return first ? first : second;
}

void DrawEntireHovered(Paint& paint)
{
    const CTRL_STRUCT& record = paint.record;
    paint.look = kHovered;
    if (record.hBmpHover)
        paint.face = true;
    // The flat look shows its raised edge only while hovered, and only for dwFlat 1.
    if (record.dwEdge && record.dwFlat == 1)
        Edge(paint, EDGE_RAISED);
    if (record.hFontHover && !paint.disabled)
        SelectFont(paint, record.hFontHover);
    paint.icon = FirstIcon(record.hIconHover, record.hIcon);
    if (record.crTextHover)
        TextColour(paint, record.crTextHover);
}

void DrawEntireNormal(Paint& paint)
{
    const CTRL_STRUCT& record = paint.record;
    paint.look = kNormal;
    if (record.hFont)
        paint.dcState->selectFont(record.hFont);
    paint.face = true;
    paint.icon = record.hIcon;
    if (!paint.disabled)
        paint.dcState->setTextColour(NormalTextColour(paint));
    paint.text = true;
    if (record.dwEdge && !record.dwFlat) {
        Edge(paint, EDGE_RAISED);
    } else if (record.dwEdge) {
        // Flat: the two-pixel edge area in the face colour.
        FrameInFaceColour(paint, paint.item);
        FrameInFaceColour(paint, Inset(paint.item, 1));
    } else {
        FillFace(paint, paint.item);
    }
}

void SelectPressOrReleaseFont(Paint& paint)
{
    if (HFONT font = paint.record.hFontHover ? paint.record.hFontHover : paint.record.hFont)
        SelectFont(paint, font);
}

void DrawPressed(Paint& paint)
{
    const CTRL_STRUCT& record = paint.record;
    paint.look = kPressed;
    if (record.hBmpPressed)
        paint.face = true;
    SelectPressOrReleaseFont(paint);
    paint.icon = FirstIcon(record.hIconHover, record.hIcon);
    if (record.dwEdge) {
        Edge(paint, EDGE_SUNKEN);
    } else {
        FillFace(paint, paint.item);
        paint.pressedWithoutEdge = true; // the icon looks pushed without an edge to show it
    }
    if (record.crTextPressed)
        TextColour(paint, record.crTextPressed);
    KeepLabelOverFill(paint);
}

void DrawReleased(Paint& paint)
{
    const CTRL_STRUCT& record = paint.record;
    paint.look = kHovered;
    if (record.hBmpHover)
        paint.face = true;
    SelectPressOrReleaseFont(paint);
    if (record.crTextHover)
        TextColour(paint, record.crTextHover);
    else if (record.crText)
        TextColour(paint, record.crText);
    else if (record.crTextPressed)
        TextColour(paint, Colour(paint, PaletteColour::ButtonText)); // takes back the pressed colour
    paint.icon = FirstIcon(record.hIconHover, record.hIcon);
    if (record.dwEdge)
        Edge(paint, EDGE_RAISED);
    else
        FillFace(paint, paint.item);
    KeepLabelOverFill(paint);
}

// Stage 1: look, font, text colour, icon and frame, by action and state.
void DrawFrame(Paint& paint)
{
    if (paint.action & ODA_DRAWENTIRE) {
        // The band inside the edge keeps what the system painted there, its own button
        // face: under the dark palette it is dark too.
        if (!paint.colours.system)
            FillFace(paint, Inset(paint.item, 2));
        if (paint.state & ODS_DISABLED) {
            paint.disabled = true;
            TextColour(paint, Colour(paint, PaletteColour::GrayText));
        }
        if (ReadThreadState().HoverButton == paint.button)
            DrawEntireHovered(paint);
        else
            DrawEntireNormal(paint);
    } else if (paint.action & ODA_SELECT) {
        if (paint.state & ODS_SELECTED)
            DrawPressed(paint);
        else
            DrawReleased(paint);
    }
}

HBITMAP FaceBitmap(const Paint& paint)
{
    switch (paint.look) {
    case kNormal:
        return paint.record.hBmp;
    case kHovered:
        return paint.record.hBmpHover;
    case kPressed:
        return paint.record.hBmpPressed;
    }
    return nullptr;
}

ButtonRect ToButtonRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRect(const ButtonRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Access-key underlines are hidden as the system's own buttons hide them: when the
// DRAWITEMSTRUCT says so or the button's UI state does.
bool AccessKeysHidden(const Paint& paint)
{
    return (paint.state & ODS_NOACCEL) || (SendMessageA(paint.button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
}

// The face bitmap from the button's kept copy when one can be had, else through DrawDDB.
void DrawFaceBitmap(const Paint& paint, HBITMAP bitmap)
{
    if (ButtonPaintCache* cache = paint.cache) {
        // Two looks may share a bitmap, and with it one copy.
        for (const KeptBitmap& face : cache->faces) {
            if (HoldsBitmapFor(face, paint.item, bitmap)) {
                DrawKeptBitmap(paint.dc, paint.item, face);
                return;
            }
        }
        KeptBitmap& slot = cache->faces[paint.look];
        if (KeepBitmap(paint.dc, paint.item, bitmap, slot)) {
            DrawKeptBitmap(paint.dc, paint.item, slot);
            return;
        }
    }
    DrawDDB(paint.dc, &paint.item, bitmap);
}

// The icon from the button's kept one in the normal look; the disabled look, icons that
// DrawIconEx blends and DCs without a cache go through DrawRectIcon.
void DrawIconOnFace(const Paint& paint, const RECT& iconRect)
{
    const bool hover = paint.icon == paint.record.hIconHover && paint.icon != paint.record.hIcon;
    if (paint.cache && !paint.disabled) {
        KeptIcon& kept = paint.cache->icons[hover ? 1 : 0];
        if (kept.icon != paint.icon && !KeepIcon(paint.dc, paint.icon, kept))
            kept.icon = paint.icon; // not kept: DrawIconEx draws it from now on
        if (kept.maskDc) {
            DrawKeptIcon(paint.dc, iconRect, kept);
            return;
        }
    }
    IconImage size;
    size.width = hover ? paint.iconSizes.hoverWidth : paint.iconSizes.iconWidth;
    size.height = hover ? paint.iconSizes.hoverHeight : paint.iconSizes.iconHeight;
    // An icon whose size was not known when the record came is read now.
    if (size.width > 0 || ReadIcon(paint.icon, size))
        DrawRectIcon(paint.dc, iconRect, paint.icon, size, paint.disabled ? 1 : 0, false, IconInkOf(paint.colours));
}

void DrawLabel(const Paint& paint, const WindowText& text, const ButtonRect& where)
{
    if (text.length() < 1)
        return;
    RECT rect = ToRect(where);
    text.run().draw(paint.dc, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | paint.textFormat);
}

// Stages 2 and 3: icon and text laid out, then face, icon and text drawn.
void DrawFace(const Paint& paint, const WindowText& text)
{
    ButtonLayout layout = LayOutButton(ToButtonRect(paint.item), paint.record.dwIconAlign,
                                       paint.pressedWithoutEdge, paint.icon && text.length() >= 1);
    if (!paint.face && !paint.icon) {
        if (paint.text)
            DrawLabel(paint, text, layout.text); // over whatever the face already shows
        return;
    }
    if (HBITMAP bitmap = FaceBitmap(paint)) {
        DrawFaceBitmap(paint, bitmap);
    } else {
        // Inset by 5: the frame and a band inside it keep their pixels.
        FillFace(paint, Inset(paint.item, 5));
    }
    if (paint.icon)
        DrawIconOnFace(paint, ToRect(layout.icon));
    DrawLabel(paint, text, layout.text);
}

// Stage 4: the dotted focus ring, or the erasure of an earlier one.
void DrawFocusRing(const Paint& paint)
{
    if (paint.state & ODS_FOCUS) {
        RECT ring = Inset(paint.item, 4);
        unique_hpen pen(CreatePen(PS_DOT, 1, Colour(paint, PaletteColour::GrayText)));
        if (!pen) {
            // Without a pen of its own the DC's would draw it: a solid ring in the same colour.
            const RECT outline = {ring.left, ring.top, ring.right + 1, ring.bottom + 1};
            FrameInColour(paint.dc, outline, paint.colours, PaletteColour::GrayText);
            return;
        }
        scoped_select selection(paint.dc, pen.get());
        POINT position = {};
        const bool moved = MoveToEx(paint.dc, ring.left, ring.top, &position) != FALSE;
        LineTo(paint.dc, ring.right, ring.top);
        LineTo(paint.dc, ring.right, ring.bottom);
        LineTo(paint.dc, ring.left, ring.bottom);
        LineTo(paint.dc, ring.left, ring.top);
        if (moved)
            MoveToEx(paint.dc, position.x, position.y, nullptr); // the DC's pen position as it was
    } else if (!paint.record.hBmp) {
        // A ring on a face bitmap stays until the next full draw.
        FrameInFaceColour(paint, Inset(paint.item, 4));
        FrameInFaceColour(paint, Inset(paint.item, 3));
    }
}

// The button's paint cache, emptied first when the look changed since it was filled; null
// for DCs whose blits from kept images might differ from DrawDDB's and DrawIconEx's own:
// printers, metafiles and mirrored layouts.
ButtonPaintCache* PaintCacheFor(HWND button, HDC dc)
{
    const DWORD type = GetObjectType(dc);
    if ((type != OBJ_DC && type != OBJ_MEMDC) || GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY || GetLayout(dc) != 0)
        return nullptr;
    ButtonPaintCache* cache = PaintCacheOf(button);
    const LONG generation = CurrentLookGeneration();
    if (cache && cache->generation != generation) {
        ReleasePaintCache(*cache);
        cache->generation = generation;
    }
    return cache;
}

} // namespace

int PaintButton(const DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_BUTTON)
        return TRUE;
    Paint paint = {CurrentPaintColours(), item->hDC, item->hwndItem, item->itemAction, item->itemState, {}, {},
                   item->rcItem};
    // An owner-drawn button that was never skinned (or was closed) is the application's.
    if (!ReadRecord(item->hwndItem, &paint.record, &paint.iconSizes))
        return TRUE;
    WindowText text(item->hwndItem);
    // Hidden as DT_HIDEPREFIX hides them, on systems that ignore the flag too.
    if (AccessKeysHidden(paint)) {
        text.hideAccessKeys();
        paint.textFormat = DT_NOPREFIX;
    }
    // Looked up after the messages above, whose handlers may replace the record: from here
    // on the paint sends none, and the cache stays in place.
    paint.cache = PaintCacheFor(item->hwndItem, paint.dc);
    PaintDcState dcState(paint.dc);
    paint.dcState = &dcState;
    DrawFrame(paint);
    DrawFace(paint, text);
    DrawFocusRing(paint);
    return TRUE;
}

} // namespace varnelle
