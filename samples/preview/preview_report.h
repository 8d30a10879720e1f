// varnelle-preview --report: the helper writes what the program's menus look like from the
// inside (labels as GetMenuStringW reads them, states, and the items' places on the
// screen), so that a test can compare what the screen shows with the program's own text.
// The file is written anew, whole, after the skinning and whenever a menu loop goes idle or
// ends; see WriteReport in preview_report.cpp for its lines.
#pragma once
#include <windows.h>

#include "preview_request.h"

namespace preview {

// After the skinning, on the GUI thread: the first report.
void StartReport(const Request& request);

// Every message sent to the GUI thread's windows afterwards.
void ObserveMessage(const CWPSTRUCT& sent);

} // namespace preview
