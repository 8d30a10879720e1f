// Style 0: the system draws the items; the library only hands callback separators (the
// left border band among them) to the application's callback.
#include "menu_paint.h"

namespace varnelle {

void DrawMenuItemStyle0(const DRAWITEMSTRUCT& item, const PaintedItem& facts)
{
    if (SeparatorCallback callback = facts.callback())
        PaintCallbackSeparator(&item, callback);
}

} // namespace varnelle
