// Classification of the running Windows release. Platform-free: no windows.h, so every
// code is tested natively; GetOsKind feeds in what GetVersion and GetVersionExA report.
#pragma once
#include <cstdint>

namespace varnelle {

// The codes GetOsKind returns. Only Windows 2000 and XP change the library's behaviour.
enum OsKind : int32_t {
    kOsWindowsNt4 = 1,
    kOsWindows2000 = 2,
    kOsWindowsXp = 3,
    kOsOtherNt = 4,     // NT 3.x, Server 2003 and every later release
    kOsWin32s = 5,
    kOsWindows98 = 6,
    kOsWindowsMe = 7,
    kOsOtherWin9x = 8,  // Windows 95 and other releases of that family
};

struct ReportedVersion {
    bool win9xPlatform;       // high bit of GetVersion set
    uint8_t versionLowByte;   // low byte of GetVersion: the major version as it reports it
    uint32_t major;           // GetVersionExA
    uint32_t minor;
};

OsKind ClassifyOsKind(const ReportedVersion& version);

// The menu bar itself is owner-drawn in style 2 on these releases only.
inline bool PaintsStyle2MenuBar(int32_t kind)
{
    return kind == kOsWindows2000 || kind == kOsWindowsXp;
}

} // namespace varnelle
