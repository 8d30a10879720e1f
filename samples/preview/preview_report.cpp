#include "preview_report.h"

#include "preview_button.h"

namespace preview {
namespace {

constexpr int kTextCapacity = 32768;
constexpr int kLabelCapacity = 512;
constexpr int kMaxOpenPopups = 8;
// NONCLIENTMETRICSW without iPaddedBorderWidth: what every Windows release accepts.
constexpr UINT kNonClientMetricsSize = 500;

struct OpenPopup {
    HMENU menu;
    int barPosition; // -1: not opened from the menu bar
};

const Request* g_request;
OpenPopup g_open[kMaxOpenPopups];
int g_openCount;
int g_sequence;

// The report as UTF-16 while it is written; one fixed buffer, as the helper has no heap of
// its own. What does not fit is left out, and the last line says so.
wchar_t g_text[kTextCapacity];
int g_length;
bool g_truncated;
char g_bytes[kTextCapacity * 3];

void Put(const wchar_t* text)
{
    for (; *text; ++text) {
        if (g_length >= kTextCapacity - 16) {
            g_truncated = true;
            return;
        }
        g_text[g_length++] = *text;
    }
}

void PutNumber(long long value)
{
    wchar_t digits[24];
    int count = 0;
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : value;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    wchar_t text[26];
    int at = 0;
    text[at++] = L' ';
    if (negative)
        text[at++] = L'-';
    while (count)
        text[at++] = digits[--count];
    text[at] = L'\0';
    Put(text);
}

void PutRect(const RECT& rect)
{
    PutNumber(rect.left);
    PutNumber(rect.top);
    PutNumber(rect.right);
    PutNumber(rect.bottom);
}

// A text field: spaces, TABs, line ends and backslashes escaped, so fields split at spaces.
void PutText(const wchar_t* text, int length)
{
    Put(L" ");
    for (int i = 0; i < length; ++i) {
        const wchar_t single[2] = {text[i], L'\0'};
        switch (text[i]) {
        case L'\\': Put(L"\\\\"); break;
        case L' ': Put(L"\\s"); break;
        case L'\t': Put(L"\\t"); break;
        case L'\n': Put(L"\\n"); break;
        case L'\r': Put(L"\\r"); break;
        default: Put(single); break;
        }
    }
}

void PutFont(const LOGFONTW& font)
{
    PutNumber(font.lfHeight);
    PutNumber(font.lfWidth);
    PutNumber(font.lfWeight);
    PutNumber(font.lfItalic);
    PutNumber(font.lfCharSet);
    PutNumber(font.lfQuality);
    PutNumber(font.lfPitchAndFamily);
    PutText(font.lfFaceName, lstrlenW(font.lfFaceName));
}

// One item: "<kind> [level] position type state popup left top right bottom label".
void PutItem(HMENU menu, int position, HWND window)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        info = {};
    wchar_t label[kLabelCapacity] = {};
    int length = GetMenuStringW(menu, static_cast<UINT>(position), label, kLabelCapacity, MF_BYPOSITION);
    if (length < 0)
        length = 0;
    RECT rect = {};
    if (!GetMenuItemRect(window, menu, static_cast<UINT>(position), &rect))
        rect = {};
    PutNumber(position);
    PutNumber(info.fType);
    PutNumber(info.fState);
    PutNumber(info.hSubMenu != nullptr);
    PutRect(rect);
    PutText(label, length);
    Put(L"\n");
}

BOOL CALLBACK PutButton(HWND child, LPARAM)
{
    // A skinned push button has become owner-drawn and carries the library's record; the
    // program's own owner-drawn buttons show what the program likes.
    const LONG_PTR type = ButtonTypeOf(child);
    if (!IsPushButton(type) && !(type == BS_OWNERDRAW && GetPropW(child, L"CTRL_STRUCT")))
        return TRUE;
    RECT rect = {};
    GetWindowRect(child, &rect);
    LOGFONTW font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0));
    if (!handle || !GetObjectW(handle, sizeof(font), &font))
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
    wchar_t label[kLabelCapacity] = {};
    const int length = GetWindowTextW(child, label, kLabelCapacity);
    Put(L"button");
    PutRect(rect);
    PutNumber(IsWindowVisible(child) ? 1 : 0);
    PutNumber(IsWindowEnabled(child) ? 1 : 0);
    PutNumber(type);
    PutFont(font);
    PutText(label, length > 0 ? length : 0);
    Put(L"\n");
    return TRUE;
}

// Written to a file beside the report and renamed over it, so a reader never sees half.
void Save()
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, g_text, g_length, g_bytes, sizeof(g_bytes), nullptr, nullptr);
    wchar_t partial[MAX_PATH + 8];
    lstrcpynW(partial, g_request->report, MAX_PATH);
    lstrcatW(partial, L".part");
    const HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    const bool complete = bytes > 0 && WriteFile(file, g_bytes, static_cast<DWORD>(bytes), &written, nullptr) &&
                          written == static_cast<DWORD>(bytes);
    CloseHandle(file);
    if (complete)
        MoveFileExW(partial, g_request->report, MOVEFILE_REPLACE_EXISTING);
    else
        DeleteFileW(partial);
}

// The lines, in this order:
//   varnelle-preview-report 1
//   sequence N                      counts the reports written by this helper
//   process PID
//   window HWND left top right bottom
//   skinned STYLE MENU-RESULT BUTTONS-SKINNED
//   menufont height width weight italic charset quality pitch face
//   bar position type state popup left top right bottom label    (screen coordinates)
//   open LEVEL BAR-POSITION         a popup is open (-1: not from the menu bar) ...
//   item LEVEL position type state popup left top right bottom label   ... and its items
//   button left top right bottom visible enabled type <font as menufont> label
//   end [truncated]
void WriteReport()
{
    const HWND window = g_request->window;
    g_length = 0;
    g_truncated = false;
    Put(L"varnelle-preview-report 1\nsequence");
    PutNumber(++g_sequence);
    Put(L"\nprocess");
    PutNumber(GetCurrentProcessId());
    RECT frame = {};
    GetWindowRect(window, &frame);
    Put(L"\nwindow");
    PutNumber(static_cast<LONG>(reinterpret_cast<LONG_PTR>(window)));
    PutRect(frame);
    Put(L"\nskinned");
    PutNumber(g_request->style);
    PutNumber(g_request->menuResult);
    PutNumber(g_request->buttonsSkinned);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
        Put(L"\nmenufont");
        PutFont(metrics.lfMenuFont);
    }
    Put(L"\n");
    const HMENU bar = GetMenu(window);
    const int barItems = bar && IsMenu(bar) ? GetMenuItemCount(bar) : 0;
    for (int position = 0; position < barItems; ++position) {
        Put(L"bar");
        PutItem(bar, position, window);
    }
    for (int level = 0; level < g_openCount; ++level) {
        const HMENU popup = g_open[level].menu;
        if (!IsMenu(popup))
            continue;
        Put(L"open");
        PutNumber(level);
        PutNumber(g_open[level].barPosition);
        Put(L"\n");
        const int items = GetMenuItemCount(popup);
        for (int position = 0; position < items; ++position) {
            Put(L"item");
            PutNumber(level);
            PutItem(popup, position, nullptr);
        }
    }
    EnumChildWindows(window, PutButton, 0);
    Put(g_truncated ? L"end truncated\n" : L"end\n");
    Save();
}

int BarPositionOf(HMENU popup, UINT position)
{
    const HMENU bar = GetMenu(g_request->window);
    if (bar && IsMenu(bar) && GetSubMenu(bar, static_cast<int>(position)) == popup)
        return static_cast<int>(position);
    return -1;
}

void Opened(HMENU popup, UINT position)
{
    if (g_openCount < kMaxOpenPopups)
        g_open[g_openCount++] = {popup, BarPositionOf(popup, position)};
}

void Closed(HMENU popup)
{
    for (int level = 0; level < g_openCount; ++level) {
        if (g_open[level].menu != popup)
            continue;
        for (int later = level + 1; later < g_openCount; ++later)
            g_open[later - 1] = g_open[later];
        --g_openCount;
        return;
    }
}

} // namespace

void StartReport(const Request& request)
{
    g_request = &request;
    WriteReport();
}

void ObserveMessage(const CWPSTRUCT& sent)
{
    if (!g_request || sent.hwnd != g_request->window)
        return;
    switch (sent.message) {
    case WM_INITMENUPOPUP:
        Opened(reinterpret_cast<HMENU>(sent.wParam), LOWORD(sent.lParam));
        break;
    case WM_UNINITMENUPOPUP:
        Closed(reinterpret_cast<HMENU>(sent.wParam));
        break;
    case WM_ENTERIDLE:
        if (sent.wParam == MSGF_MENU)
            WriteReport();
        break;
    case WM_EXITMENULOOP:
        g_openCount = 0;
        WriteReport();
        break;
    default:
        break;
    }
}

} // namespace preview
