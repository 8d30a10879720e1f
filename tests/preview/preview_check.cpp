// The Windows half of the preview test (preview_test.py drives the program with the mouse
// and takes the screen):
//
//   preview_check compare REPORT SCREEN.bmp [--pictures FOLDER]
//       every enabled text item of the report (the menu bar, the open popups and the visible
//       push buttons) must show its label on the screen: its text drawn with DrawTextW in
//       the menu font (a button's in its own font) has the same inked pixels as the screen
//       somewhere inside the item's rectangle. A label and its accelerator (after the TAB)
//       are looked for separately. Failures are written as
//       pictures (the screen's item above, the expected ink below) into FOLDER.
//   preview_check alive WINDOW
//       the window exists and its thread answers a message within 5 s.
//   preview_check close WINDOW
//       posts WM_CLOSE, as the window's close box would, and waits 10 s for the program to
//       end; one that does not is terminated (and the command fails).
//   preview_check menu-charset CHARSET
//       gives the system's menu font that character set until the wineserver ends (or the
//       next call), and prints the one it had.
//
// The report is the one varnelle-preview --report writes from inside the program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_support.h"

namespace {

using testing_support::DibSurface;

// Text and background must differ by this much luminance to be told apart.
constexpr int kInkContrast = 80;
// The label may stand a little outside its item's rectangle (DT_NOCLIP).
constexpr int kSlack = 2;

std::wstring Widen(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    return bytes;
}

std::wstring Unescape(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        switch (field[++i]) {
        case 's': text += ' '; break;
        case 't': text += '\t'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        default: text += field[i]; break;
        }
    }
    return Widen(text);
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; stream >> field;)
        fields.push_back(field);
    return fields;
}

struct Item {
    std::string where; // "menu bar item 2", "the popup of bar item 0, item 5"
    UINT type = 0;
    UINT state = 0;
    RECT rect = {};
    std::wstring label;
    bool button = false;
    LOGFONTW buttonFont = {};
};

struct Report {
    bool valid = false;
    LOGFONTW menuFont = {};
    std::vector<Item> items;
    int openPopups = 0;
    int buttons = 0;
};

LOGFONTW FontFrom(const std::vector<std::string>& fields, size_t at)
{
    LOGFONTW font = {};
    font.lfHeight = std::atoi(fields[at].c_str());
    font.lfWidth = std::atoi(fields[at + 1].c_str());
    font.lfWeight = std::atoi(fields[at + 2].c_str());
    font.lfItalic = static_cast<BYTE>(std::atoi(fields[at + 3].c_str()));
    font.lfCharSet = static_cast<BYTE>(std::atoi(fields[at + 4].c_str()));
    font.lfQuality = static_cast<BYTE>(std::atoi(fields[at + 5].c_str()));
    font.lfPitchAndFamily = static_cast<BYTE>(std::atoi(fields[at + 6].c_str()));
    lstrcpynW(font.lfFaceName, Unescape(fields[at + 7]).c_str(), LF_FACESIZE);
    return font;
}

Item ItemFrom(const std::vector<std::string>& fields, size_t at, const std::string& where)
{
    Item item;
    item.where = where + fields[at];
    item.type = static_cast<UINT>(std::strtoul(fields[at + 1].c_str(), nullptr, 10));
    item.state = static_cast<UINT>(std::strtoul(fields[at + 2].c_str(), nullptr, 10));
    item.rect = {std::atoi(fields[at + 4].c_str()), std::atoi(fields[at + 5].c_str()),
                 std::atoi(fields[at + 6].c_str()), std::atoi(fields[at + 7].c_str())};
    if (fields.size() > at + 8)
        item.label = Unescape(fields[at + 8]);
    return item;
}

Report ReadReport(const char* path)
{
    Report report;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    bool menuFont = false, ended = false;
    std::vector<std::string> openedFrom;
    while (std::getline(file, line)) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.empty())
            continue;
        const std::string& kind = fields[0];
        if (kind == "menufont" && fields.size() >= 9) {
            report.menuFont = FontFrom(fields, 1);
            menuFont = true;
        } else if (kind == "bar" && fields.size() >= 9) {
            report.items.push_back(ItemFrom(fields, 1, "menu bar item "));
        } else if (kind == "open" && fields.size() >= 3) {
            ++report.openPopups;
            openedFrom.push_back(fields[2] == "-1" ? "a popup" : "the popup of bar item " + fields[2]);
        } else if (kind == "item" && fields.size() >= 10) {
            const size_t level = std::strtoul(fields[1].c_str(), nullptr, 10);
            const std::string from = level < openedFrom.size() ? openedFrom[level] : "a popup";
            report.items.push_back(ItemFrom(fields, 2, from + ", item "));
        } else if (kind == "button" && fields.size() >= 16) {
            // left top right bottom visible enabled type, the font, the label
            Item button;
            button.where = "push button " + std::to_string(report.buttons++);
            button.button = true;
            button.rect = {std::atoi(fields[1].c_str()), std::atoi(fields[2].c_str()), std::atoi(fields[3].c_str()),
                           std::atoi(fields[4].c_str())};
            if (fields[5] != "1" || fields[6] != "1")
                button.state = MFS_DISABLED; // hidden or disabled: not looked for
            button.buttonFont = FontFrom(fields, 8);
            if (fields.size() > 16)
                button.label = Unescape(fields[16]);
            report.items.push_back(button);
        } else if (kind == "end") {
            ended = fields.size() == 1;
        }
    }
    report.valid = menuFont && ended;
    return report;
}

// A picture as 0x00RRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

bool ReadBmp(const char* path, Picture& picture)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    BITMAPINFO header = testing_support::TopDown32Info(picture.width, picture.height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return rows == picture.height;
}

bool WriteBmp(const std::string& path, const Picture& picture)
{
    BITMAPINFOHEADER header = testing_support::TopDown32Info(picture.width, picture.height).bmiHeader;
    const DWORD bytes = static_cast<DWORD>(picture.pixels.size() * 4);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(picture.pixels.data()), bytes);
    return static_cast<bool>(out);
}

int Luminance(uint32_t pixel)
{
    return (((pixel >> 16) & 0xFF) * 299 + ((pixel >> 8) & 0xFF) * 587 + (pixel & 0xFF) * 114) / 1000;
}

// Inked pixels of a text in a box one pixel wider on every side than the ink, whose frame
// is background: extra ink right beside the text counts against a match too.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> ink;
    int count = 0;
    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x]; }
};

// The text as DrawTextW draws it, black on white, and its ink.
Mask Rendered(const std::wstring& text, const LOGFONTW& logFont, UINT prefix)
{
    Mask mask;
    HFONT font = CreateFontIndirectW(&logFont);
    if (!font)
        return mask;
    RECT extent = {0, 0, 0, 0};
    {
        DibSurface probe(1, 1);
        HGDIOBJ previous = SelectObject(probe.dc(), font);
        DrawTextW(probe.dc(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE | prefix);
        SelectObject(probe.dc(), previous);
    }
    const int margin = 4;
    DibSurface surface(extent.right + 2 * margin, extent.bottom + 2 * margin, RGB(255, 255, 255));
    HGDIOBJ previous = SelectObject(surface.dc(), font);
    SetTextColor(surface.dc(), RGB(0, 0, 0));
    SetBkMode(surface.dc(), TRANSPARENT);
    RECT box = {margin, margin, margin + extent.right, margin + extent.bottom};
    DrawTextW(surface.dc(), text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_NOCLIP | prefix);
    SelectObject(surface.dc(), previous);
    DeleteObject(font);

    auto inked = [&](int x, int y) {
        const COLORREF c = surface.at(x, y);
        return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000 < 128;
    };
    int left = surface.width(), top = surface.height(), right = -1, bottom = -1;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (!inked(x, y))
                continue;
            left = x < left ? x : left;
            right = x > right ? x : right;
            top = y < top ? y : top;
            bottom = y > bottom ? y : bottom;
        }
    }
    if (right < 0)
        return mask;
    mask.width = right - left + 3;
    mask.height = bottom - top + 3;
    mask.ink.resize(static_cast<size_t>(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const bool ink = inked(left - 1 + x, top - 1 + y);
            mask.ink[static_cast<size_t>(y) * mask.width + x] = ink;
            mask.count += ink;
        }
    }
    return mask;
}

struct Match {
    int mismatches = -1; // -1: the text does not fit the rectangle
    int x = 0;
    int y = 0;
};

// How far the screen's pixels under the mask's box are from showing the mask's ink in some
// colour on some background: the two colours are the mean luminances under the mask's ink
// and under the rest; a pixel nearer the other side's mean than its own counts as wrong,
// and so do all of them when the two means are not kInkContrast apart. So the text may be
// dark on light or light on a selection, on a plain colour or on a gentle gradient.
int Mismatches(const std::vector<int>& luminance, int stride, int x, int y, const Mask& mask, int enough)
{
    long inkSum = 0, backgroundSum = 0;
    for (int my = 0; my < mask.height; ++my) {
        const int* row = &luminance[static_cast<size_t>(y + my) * stride + x];
        for (int mx = 0; mx < mask.width; ++mx)
            (mask.at(mx, my) ? inkSum : backgroundSum) += row[mx];
    }
    const int backgroundCount = mask.width * mask.height - mask.count;
    const int inkMean = static_cast<int>(inkSum / mask.count);
    const int backgroundMean = static_cast<int>(backgroundSum / backgroundCount);
    if (inkMean - backgroundMean < kInkContrast && backgroundMean - inkMean < kInkContrast)
        return mask.count;
    const int threshold = (inkMean + backgroundMean) / 2;
    const bool darkInk = inkMean < backgroundMean;
    int mismatches = 0;
    for (int my = 0; my < mask.height && mismatches < enough; ++my) {
        const int* row = &luminance[static_cast<size_t>(y + my) * stride + x];
        for (int mx = 0; mx < mask.width; ++mx)
            mismatches += ((row[mx] < threshold) == darkInk) != mask.at(mx, my);
    }
    return mismatches;
}

// The place inside the rectangle where the screen differs least from the mask.
Match BestMatch(const Picture& screen, const std::vector<int>& luminance, const RECT& rect, const Mask& mask)
{
    Match best;
    const int left = rect.left - kSlack > 0 ? rect.left - kSlack : 0;
    const int top = rect.top - kSlack > 0 ? rect.top - kSlack : 0;
    const int right = rect.right + kSlack < screen.width ? rect.right + kSlack : screen.width;
    const int bottom = rect.bottom + kSlack < screen.height ? rect.bottom + kSlack : screen.height;
    for (int y = top; y + mask.height <= bottom; ++y) {
        for (int x = left; x + mask.width <= right; ++x) {
            const int enough = best.mismatches < 0 ? mask.width * mask.height : best.mismatches;
            const int mismatches = Mismatches(luminance, screen.width, x, y, mask, enough);
            if (best.mismatches < 0 || mismatches < best.mismatches)
                best = {mismatches, x, y};
        }
    }
    return best;
}

bool Checkable(const Item& item)
{
    const UINT graphic = MFT_SEPARATOR | MFT_BITMAP;
    return !(item.type & graphic) && !(item.state & (MFS_GRAYED | MFS_DISABLED)) && !item.label.empty() &&
           item.rect.right > item.rect.left && item.rect.bottom > item.rect.top;
}

// The screen's pixels of the item above the expected ink, both 4 times enlarged.
void WriteFailurePicture(const std::string& path, const Picture& screen, const RECT& rect, const Mask& mask)
{
    const int scale = 4;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || rect.left < 0 || rect.top < 0 || rect.right > screen.width ||
        rect.bottom > screen.height)
        return;
    Picture picture;
    picture.width = (width > mask.width ? width : mask.width) * scale;
    picture.height = (height + 2 + mask.height) * scale;
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0xFF00FF);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int sx = x / scale, sy = y / scale;
            uint32_t& out = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            if (sy < height && sx < width)
                out = screen.at(rect.left + sx, rect.top + sy);
            else if (sy >= height + 2 && sx < mask.width)
                out = mask.at(sx, sy - height - 2) ? 0x000000 : 0xFFFFFF;
        }
    }
    WriteBmp(path, picture);
}

struct Part {
    const char* name;
    std::wstring text;
    std::vector<UINT> prefixModes; // any of these renderings counts as right
};

// The label and its accelerator, as a menu draws them: the access key's underline shown or
// hidden (the system hides it when the menu was opened with the mouse, if it likes), the
// accelerator as it is.
std::vector<Part> PartsOf(const std::wstring& label)
{
    const size_t tab = label.find(L'\t');
    std::vector<Part> parts;
    parts.push_back({"label", label.substr(0, tab), {0, DT_HIDEPREFIX}});
    if (tab != std::wstring::npos)
        parts.push_back({"accelerator", label.substr(tab + 1), {DT_NOPREFIX, 0, DT_HIDEPREFIX}});
    return parts;
}

// "screen-2" of "Z:\\work\\screen-2.bmp".
std::string Stem(const std::string& path)
{
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    return name.substr(0, name.find_last_of('.'));
}

int Compare(const char* reportPath, const char* screenPath, const std::string& pictures)
{
    const Report report = ReadReport(reportPath);
    if (!report.valid) {
        std::printf("FAIL: %s is not a complete report (no menu font or no end line)\n", reportPath);
        return 2;
    }
    Picture screen;
    if (!ReadBmp(screenPath, screen)) {
        std::printf("FAIL: cannot read the screen %s\n", screenPath);
        return 2;
    }
    std::vector<int> luminance(screen.pixels.size());
    for (size_t i = 0; i < luminance.size(); ++i)
        luminance[i] = Luminance(screen.pixels[i]);
    int checked = 0, failed = 0;
    for (const Item& item : report.items) {
        if (!Checkable(item))
            continue;
        for (const Part& part : PartsOf(item.label)) {
            Match best;
            Mask bestMask;
            bool inked = false;
            for (UINT prefix : part.prefixModes) {
                const Mask mask = Rendered(part.text, item.button ? item.buttonFont : report.menuFont, prefix);
                if (!mask.count)
                    continue;
                inked = true;
                const Match match = BestMatch(screen, luminance, item.rect, mask);
                if (match.mismatches >= 0 && (best.mismatches < 0 || match.mismatches < best.mismatches)) {
                    best = match;
                    bestMask = mask;
                }
            }
            if (!inked)
                continue;
            ++checked;
            const std::string text = Narrow(part.text);
            if (best.mismatches == 0) {
                std::printf("ok   %s, %s \"%s\" at (%d, %d)\n", item.where.c_str(), part.name, text.c_str(), best.x,
                            best.y);
                continue;
            }
            ++failed;
            if (best.mismatches < 0) {
                std::printf("FAIL %s, %s \"%s\": wider or taller than its rectangle (%ld, %ld)-(%ld, %ld)\n",
                            item.where.c_str(), part.name, text.c_str(), item.rect.left, item.rect.top, item.rect.right,
                            item.rect.bottom);
                continue;
            }
            std::printf("FAIL %s, %s \"%s\": nowhere in (%ld, %ld)-(%ld, %ld) does the screen show its ink; closest "
                        "at (%d, %d) with %d of %d pixels different\n",
                        item.where.c_str(), part.name, text.c_str(), item.rect.left, item.rect.top, item.rect.right,
                        item.rect.bottom, best.x, best.y, best.mismatches, bestMask.width * bestMask.height);
            if (!pictures.empty()) {
                const std::string path = pictures + "\\" + Stem(screenPath) + "-mismatch-" + std::to_string(failed) + ".bmp";
                WriteFailurePicture(path, screen, item.rect, bestMask);
                std::printf("     the screen's item above the expected ink: %s\n", path.c_str());
            }
        }
    }
    std::printf("compare: %d texts checked in the menu bar, %d open popups and %d push buttons, %d wrong\n", checked,
                report.openPopups, report.buttons, failed);
    return checked > 0 && failed == 0 ? 0 : 1;
}

HWND WindowFrom(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::strtol(text, nullptr, 10)));
}

int Alive(HWND window)
{
    DWORD_PTR ignored = 0;
    if (!IsWindow(window)) {
        std::printf("FAIL: the window %p is gone\n", static_cast<void*>(window));
        return 1;
    }
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) {
        std::printf("FAIL: the window %p does not answer\n", static_cast<void*>(window));
        return 1;
    }
    std::printf("alive: the window answers\n");
    return 0;
}

// NONCLIENTMETRICSW without iPaddedBorderWidth: what every Windows release accepts.
constexpr UINT kNonClientMetricsSize = 500;

// Not written to the registry: Wine keeps the setting in memory for the wineserver's life,
// where the programs started afterwards read it.
int SetMenuCharset(int charset)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (charset < 0 || charset > 255 ||
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return 1;
    const int previous = metrics.lfMenuFont.lfCharSet;
    metrics.lfMenuFont.lfCharSet = static_cast<BYTE>(charset);
    if (!SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return 1;
    std::printf("previous %d\n", previous);
    return 0;
}

int Close(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = id ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id) : nullptr;
    if (!process) {
        std::printf("close: the window %p has no process any more\n", static_cast<void*>(window));
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (!ended) {
        std::printf("FAIL: the program did not end within 10 s of WM_CLOSE; terminated\n");
        TerminateProcess(process, 1);
    }
    CloseHandle(process);
    return ended ? 0 : 1;
}

} // namespace

int main(int count, char** arguments)
{
    const std::string command = count > 1 ? arguments[1] : "";
    if (command == "compare" && (count == 4 || (count == 6 && std::string(arguments[4]) == "--pictures")))
        return Compare(arguments[2], arguments[3], count == 6 ? arguments[5] : "");
    if (command == "alive" && count == 3)
        return Alive(WindowFrom(arguments[2]));
    if (command == "menu-charset" && count == 3)
        return SetMenuCharset(std::atoi(arguments[2]));
    if (command == "close" && count == 3)
        return Close(WindowFrom(arguments[2]));
    std::fprintf(stderr, "usage: preview_check compare REPORT SCREEN.bmp [--pictures FOLDER] | alive WINDOW | "
                         "close WINDOW | menu-charset CHARSET\n");
    return 2;
}
