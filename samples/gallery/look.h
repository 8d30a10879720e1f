// What every picture of the gallery depends on besides the library: the menu font, the
// menu metrics and the system colours. The gallery and the golden-image test pin them the
// same way, so the pictures come out alike from run to run and from one build width to
// the other.
#pragma once
#include <windows.h>

#include <vector>

namespace gallery {

// The colour schemes of the gallery: three system colour schemes, and the library's dark
// mode (SetColorMode 1) over Windows 10's default colours, which the menus and buttons
// show; the fill bitmaps, gradients and icon modes do not depend on it.
enum class Scheme { Classic, Xp, Dark, DarkMode };
constexpr Scheme kSchemes[] = {Scheme::Classic, Scheme::Xp, Scheme::Dark};
constexpr Scheme kLookSchemes[] = {Scheme::Classic, Scheme::Xp, Scheme::Dark, Scheme::DarkMode};
const char* SchemeName(Scheme scheme);  // "classic", "xp", "dark", "darkmode"
const char* SchemeTitle(Scheme scheme); // for captions

// Pins the menu font to Tahoma -11 without anti-aliasing, and the menu metrics, for the
// lifetime of the object (in memory only, never in the user's settings); at another DPI
// than 96 the same sizes scaled.
//
// Why: a prefix's own menu font has been seen as Tahoma in some runs and "MS Shell Dlg"
// in others, and whether text is smoothed comes from the prefix's FontSmoothing setting,
// which a fresh prefix may or may not have written yet (and which changes nothing in a
// process that has already started). The library builds its Marlett glyph font from the
// menu font, so NONANTIALIASED_QUALITY in the menu font also keeps the check marks and
// window-menu glyphs crisp.
class PinnedMenuLook {
public:
    // Another face for scripts Wine's Tahoma lacks (Greek, Hebrew).
    explicit PinnedMenuLook(const char* face = "Tahoma");
    ~PinnedMenuLook();
    PinnedMenuLook(const PinnedMenuLook&) = delete;
    PinnedMenuLook& operator=(const PinnedMenuLook&) = delete;
    bool active() const { return pinned_; }

private:
    NONCLIENTMETRICSA saved_ = {};
    bool saved_ok_ = false;
    bool pinned_ = false;
};

// A font for the gallery's own text (button captions), pinned like the menu font.
HFONT CreatePinnedFont(int height, int weight = FW_NORMAL);

// Sets one colour scheme with SetSysColors for the lifetime of the object and puts the
// colours found before back (and, for the dark mode, SetColorMode). The colours hold for
// the whole wineserver (every process of the prefix), so nothing else that changes them
// may run at the same time.
class ScopedScheme {
public:
    explicit ScopedScheme(Scheme scheme);
    ~ScopedScheme();
    ScopedScheme(const ScopedScheme&) = delete;
    ScopedScheme& operator=(const ScopedScheme&) = delete;

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> previous_;
    DWORD previousMode_ = 0;
    bool darkMode_ = false;
};

// The screen's DPI, and a length at 96 DPI scaled to it (MulDiv).
int ScreenDpi();
int Scaled(int length);

} // namespace gallery
