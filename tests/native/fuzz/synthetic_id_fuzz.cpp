// libFuzzer target: identifiers of id-less menu items. Every predecessor gives an
// identifier above 0x7FFF, never itself, in bounded time; a run of id-less items does not
// repeat an identifier soon.
#include "fuzz_input.h"
#include "menu/synthetic_id.h"

using fuzz_input::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_input::Input input{data, size};
    uint32_t id = input.take<uint32_t>();
    uint32_t before = 0;
    for (int item = 0; item < 64; ++item) {
        uint32_t next = varnelle::SyntheticItemId(id);
        Check(next > 0x7FFFu);
        Check(next != id);
        Check(item == 0 || next != before); // no two-item cycle either
        before = id;
        id = next;
    }
    return 0;
}
