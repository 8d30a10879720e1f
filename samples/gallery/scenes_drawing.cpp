// Fill bitmaps, gradients and icon drawing: primitives that paint into the application's
// own DCs and bitmaps, so the pictures are those DCs and bitmaps.
#include <string>

#include "../common/art.h"
#include "look.h"
#include "scenes.h"
#include "varnelle.h"

namespace gallery {
namespace {

constexpr int kFillWidth = 96, kFillHeight = 64, kGap = 4;
constexpr int kFillNoise = 16;
constexpr COLORREF kTint = 0xC56A31; // the XP highlight
constexpr COLORREF kSheet = RGB(255, 255, 255);

const char* const kFillNames[] = {"",
                                  "flat grain",
                                  "bright upper left, dark lower right",
                                  "cubic shading, left to right",
                                  "cubic shading, top to bottom",
                                  "linear, dark bottom to bright top",
                                  "linear, bright left to dark right",
                                  "linear diagonal",
                                  "pillow",
                                  "diagonal scratches"};

void BlitBitmap(HDC target, int x, int y, HBITMAP bitmap)
{
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(target, x, y, kFillWidth, kFillHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace

bool RenderFillBitmaps(const PictureSink& sink, std::string& error)
{
    const RECT size = {0, 0, kFillWidth, kFillHeight};
    for (int kind = 1; kind <= 9; ++kind) {
        for (Scheme scheme : kSchemes) {
            ScopedScheme colours(scheme);
            Canvas canvas(3 * kFillWidth + 4 * kGap, kFillHeight + 2 * kGap, kSheet);
            unsigned __int64 plain = CreateFillBmp(kind, &size, kFillNoise, 0, 0, 0);
            unsigned __int64 tinted = CreateFillBmp(kind, &size, kFillNoise, 40, 35, kTint);
            HBITMAP bitmaps[] = {VarnelleFillBmpPlain(plain), VarnelleFillBmpPlain(tinted),
                                 VarnelleFillBmpHighlighted(tinted)};
            bool made = true;
            for (int i = 0; i < 3; ++i) {
                made = made && bitmaps[i];
                if (bitmaps[i])
                    BlitBitmap(canvas.dc(), kGap + i * (kFillWidth + kGap), kGap, bitmaps[i]);
            }
            for (HBITMAP bitmap : bitmaps)
                DeleteObject(bitmap);
            if (!made) {
                error = "CreateFillBmp made no bitmap for kind " + std::to_string(kind);
                return false;
            }
            Picture picture = canvas.picture();
            picture.name = "fill-kind" + std::to_string(kind) + "-" + SchemeName(scheme);
            picture.group = "Fill bitmaps (CreateFillBmp, 96 x 64, noise 16)";
            picture.row = "kind " + std::to_string(kind) + ": " + kFillNames[kind];
            picture.column = SchemeTitle(scheme);
            picture.caption = "plain; tinted 35 % toward 0xC56A31; the same, highlighted 40 %";
            sink(std::move(picture));
        }
    }
    return true;
}

bool RenderGradients(const PictureSink& sink, std::string& error)
{
    struct Swatch {
        COLORREF start, end;
        int vertical;
    };
    const Swatch swatches[] = {{0xFFFFFF, 0xC56A31, 0}, {0xFFFFFF, 0xC56A31, 1},
                               {RGB(255, 0, 0), RGB(0, 0, 255), 0}, {RGB(0, 0, 0), RGB(255, 255, 255), 1}};
    constexpr int kWidth = 140, kHeight = 48;
    for (int function = 0; function < 2; ++function) {
        Canvas canvas(2 * kWidth + 3 * kGap, 2 * kHeight + 3 * kGap, kSheet);
        for (int i = 0; i < 4; ++i) {
            int x = kGap + (i % 2) * (kWidth + kGap), y = kGap + (i / 2) * (kHeight + kGap);
            RECT area = {x, y, x + kWidth, y + kHeight};
            const Swatch& swatch = swatches[i];
            if (function == 0) {
                if (!DrawGradient(canvas.dc(), &area, swatch.start, swatch.end, swatch.vertical)) {
                    error = "DrawGradient could not draw";
                    return false;
                }
            } else {
                Gradient_Fill(canvas.dc(), &area, swatch.start, swatch.end, swatch.vertical);
            }
        }
        Picture picture = canvas.picture();
        picture.name = function == 0 ? "gradient-drawgradient" : "gradient-gradientfill";
        picture.group = "Gradients";
        picture.row = "white to 0xC56A31, horizontal and vertical; red to blue, horizontal; black to white, vertical";
        picture.column = function == 0 ? "DrawGradient" : "Gradient_Fill";
        picture.caption = picture.column + ", 140 x 48 each";
        sink(std::move(picture));
    }
    return true;
}

bool RenderIconModes(const PictureSink& sink, std::string& error)
{
    using sample_art::Icon;
    const Icon icons[] = {Icon::Folder, Icon::Disk, Icon::Star, Icon::Help};
    constexpr int kPitch = 30, kColumns = 7;
    HICON made[4] = {};
    for (int i = 0; i < 4; ++i) {
        made[i] = sample_art::MakeIcon(icons[i]);
        if (!made[i]) {
            error = "could not make an icon";
            return false;
        }
    }
    for (Scheme scheme : kSchemes) {
        ScopedScheme colours(scheme);
        Canvas canvas(kColumns * kPitch + 4, 4 * kPitch + 4, GetSysColor(COLOR_MENU));
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                RECT cell = {2 + column * kPitch, 2 + row * kPitch, 2 + (column + 1) * kPitch, 2 + (row + 1) * kPitch};
                switch (column) {
                case 0: DrawIcn(canvas.dc(), &cell, made[row], 3, 0); break;  // normal
                case 1: DrawIcn(canvas.dc(), &cell, made[row], 1, 0); break;  // disabled, flat
                case 2: DrawIcn(canvas.dc(), &cell, made[row], 1, 1); break;  // disabled, embossed
                case 3: DrawIcn(canvas.dc(), &cell, made[row], 2, 0); break;  // raised over a shadow
                case 4: DrawIcnRect(canvas.dc(), &cell, made[row], 0, 0); break;
                case 5: DrawIcnRect(canvas.dc(), &cell, made[row], 1, 0); break;
                default: DrawIcnRect(canvas.dc(), &cell, made[row], 1, 1); break;
                }
            }
        }
        Picture picture = canvas.picture();
        picture.name = std::string("drawicn-") + SchemeName(scheme);
        picture.group = "Icon drawing";
        picture.row = "DrawIcn and DrawIcnRect on the menu colour";
        picture.column = SchemeTitle(scheme);
        picture.caption = "columns: DrawIcn normal, disabled flat, disabled embossed, raised; "
                          "DrawIcnRect normal, disabled flat, disabled embossed";
        sink(std::move(picture));
    }
    for (HICON icon : made)
        DestroyIcon(icon);
    return true;
}

} // namespace gallery
