// Helpers for the tests of colour schemes: the WCAG contrast of two colours, measured
// here independently of the library, and high contrast switched on for one module.
#pragma once
#include <windows.h>

namespace testing_support {

// (lighter + 0.05) / (darker + 0.05) of the sRGB relative luminances.
double ContrastOf(COLORREF first, COLORREF second);

// Makes SPI_GETHIGHCONTRAST report HCF_HIGHCONTRASTON to `module` (Varnelle.dll, or the
// test program itself when it holds the library's code) for the lifetime of the object.
// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails), so the module's import
// of SystemParametersInfoA is pointed at a stand-in that answers that one question and
// passes every other on.
class ScopedHighContrast {
public:
    explicit ScopedHighContrast(HMODULE module);
    ~ScopedHighContrast();
    ScopedHighContrast(const ScopedHighContrast&) = delete;
    ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;
    bool active() const { return slot_ != nullptr; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace testing_support
