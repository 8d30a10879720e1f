// The application's callbacks kept in the data words of separators: they measure and
// paint callback separators and the left border band.
#pragma once
#include "../core/exports.h"

namespace varnelle {

// The callback of a callback separator, or null for any other item. A separator whose
// data word does not point into executable memory is a plain one.
SeparatorCallback SeparatorCallbackOf(UINT type, ULONG_PTR data);

// Asks the callback to paint: as wide as the item and as tall as the DC's clip box, so a
// band in a column of its own covers the whole popup. Nothing is called without a DC.
void PaintCallbackSeparator(const DRAWITEMSTRUCT* item, SeparatorCallback callback);

} // namespace varnelle
