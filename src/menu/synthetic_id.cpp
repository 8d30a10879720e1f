#include "synthetic_id.h"

namespace varnelle {

uint32_t SyntheticItemId(uint32_t p)
{
    // Unsigned arithmetic wraps, as the identifiers do.
    const uint32_t step = p + 241u;
    if (step == 0)
        return kStalledReplacement;
    uint32_t id = p + 556u;
    // Ends for every other p: the walk leaves 0..0x7FFF after at most 0x8000 steps.
    while (id <= 0x7FFFu)
        id -= step;
    return id == p ? kStalledReplacement : id;
}

} // namespace varnelle
