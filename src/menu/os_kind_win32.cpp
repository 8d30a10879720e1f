// GetOsKind: asks the system every time; nothing is cached.
#include "menu_internal.h"
#include "os_kind.h"

namespace varnelle {

int GetOsKind()
{
    DWORD packed = GetVersion();
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    // A failed call leaves the numbers 0, which classifies as "any other" release.
    GetVersionExA(&info);
    ReportedVersion version = {};
    version.win9xPlatform = (packed & 0x80000000u) != 0;
    version.versionLowByte = static_cast<uint8_t>(packed & 0xFF);
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return ClassifyOsKind(version);
}

} // namespace varnelle
