#include "os_kind.h"

namespace varnelle {

OsKind ClassifyOsKind(const ReportedVersion& version)
{
    if (!version.win9xPlatform) {
        if (version.major == 4)
            return kOsWindowsNt4;
        if (version.major == 5 && version.minor == 0)
            return kOsWindows2000;
        if (version.major == 5 && version.minor == 1)
            return kOsWindowsXp;
        return kOsOtherNt;
    }
    // Win32s reports its major version through GetVersion only.
    if (version.versionLowByte < 4)
        return kOsWin32s;
    if (version.major == 4 && version.minor == 10)
        return kOsWindows98;
    if (version.major == 4 && version.minor == 90)
        return kOsWindowsMe;
    return kOsOtherWin9x;
}

} // namespace varnelle
