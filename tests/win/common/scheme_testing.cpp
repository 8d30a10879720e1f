#include "common/scheme_testing.h"

#include <cmath>
#include <cstring>

namespace testing_support {
namespace {

double Linear(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour)
{
    return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) + 0.0722 * Linear(GetBValue(colour));
}

using SpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
SpiFunction realSpi = nullptr;

BOOL WINAPI HighContrastSpi(UINT action, UINT param, PVOID data, UINT flags)
{
    if (action == SPI_GETHIGHCONTRAST && data) {
        auto* highContrast = static_cast<HIGHCONTRASTA*>(data);
        if (highContrast->cbSize != sizeof(HIGHCONTRASTA))
            return FALSE;
        highContrast->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
        highContrast->lpszDefaultScheme = nullptr;
        return TRUE;
    }
    return realSpi(action, param, data, flags);
}

// The import address table entry of USER32's SystemParametersInfoA in the module.
void** SpiSlot(HMODULE module, void* target)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), "user32.dll") != 0)
            continue;
        for (auto* slot = reinterpret_cast<void**>(base + entry->FirstThunk); *slot; ++slot) {
            if (*slot == target)
                return slot;
        }
    }
    return nullptr;
}

void Write(void** slot, void* value)
{
    DWORD previous = 0;
    if (VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &previous)) {
        *slot = value;
        VirtualProtect(slot, sizeof(*slot), previous, &previous);
    }
}

} // namespace

double ContrastOf(COLORREF first, COLORREF second)
{
    const double a = Luminance(first), b = Luminance(second);
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

ScopedHighContrast::ScopedHighContrast(HMODULE module)
{
    void* target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoA"));
    if (!module || !target)
        return;
    slot_ = SpiSlot(module, target);
    if (!slot_)
        return;
    realSpi = reinterpret_cast<SpiFunction>(target);
    original_ = *slot_;
    Write(slot_, reinterpret_cast<void*>(HighContrastSpi));
}

ScopedHighContrast::~ScopedHighContrast()
{
    if (slot_)
        Write(slot_, original_);
}

} // namespace testing_support
