// Identifiers for menu items that have none, so that measurement and painting, which look
// items up by command identifier, can find them. Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

// The identifier taken as "the item before" an id-less item at position 0.
inline constexpr uint32_t kFirstItemPredecessor = 0;

// The one predecessor for which the stepping rule makes no progress (its step is 0).
inline constexpr uint32_t kStalledPredecessor = 0xFFFFFF0Fu;
// What it gets instead: above 0x7FFF, away from the identifiers applications use, and the
// run of identifiers that follows it does not come back to kStalledPredecessor or repeat
// for millions of items.
inline constexpr uint32_t kStalledReplacement = 0xFFFF8000u;

// The one predecessor the rule maps to itself: a run of id-less items after it (after an
// item with identifier 176, for one) would all share its identifier. It gets
// kStalledReplacement as well.
inline constexpr uint32_t kFixedPredecessor = 0xFFFFFF9Au;

// The identifier for an id-less item whose predecessor in the menu has identifier p:
// always above 0x7FFF, never 0, never p itself, and computed from p alone.
uint32_t SyntheticItemId(uint32_t p);

} // namespace varnelle
