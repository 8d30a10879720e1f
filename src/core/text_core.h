// Rules on item and button texts that need no window system. Platform-free: ANSI texts are
// char, UTF-16 texts any 16-bit code unit type (wchar_t on Windows, char16_t in the native
// tests).
#pragma once
#include <cstdint>

namespace varnelle {

// Index of the first TAB among the first `length` characters, or -1: the accelerator
// column of a menu item starts after it. Reads nothing past `length`.
template <typename Char>
int32_t FindTab(const Char* text, int32_t length)
{
    if (!text)
        return -1;
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == Char('\t'))
            return i;
    }
    return -1;
}

// The length of a UTF-16 text read into a buffer of `capacity` units (the system keeps
// room for the terminating 0): a text that filled the buffer was cut off and may end in
// the first half of a surrogate pair, which is dropped so that the label ends on a whole
// character. A text that fitted is the application's as it stands, unpaired halves too.
template <typename Unit>
int32_t WholeCharacterLength(const Unit* text, int32_t length, int32_t capacity)
{
    if (!text || length <= 0)
        return 0;
    if (length < capacity - 1)
        return length;
    const uint32_t last = static_cast<uint32_t>(text[length - 1]) & 0xFFFFu;
    return last >= 0xD800u && last <= 0xDBFFu ? length - 1 : length;
}

// The text as DrawText shows it while access keys are hidden (DT_HIDEPREFIX): an "&" that
// marks the next character as the mnemonic is dropped, "&&" gives one "&", and a last
// "&" with nothing after it is dropped. Written to `out`, which may be `text` itself;
// returns the new length. Drawn with DT_NOPREFIX, the result has the pixels DT_HIDEPREFIX
// gives, also where the system ignores that flag.
template <typename Char>
int32_t WithoutMnemonicMarks(const Char* text, int32_t length, Char* out)
{
    if (!text || !out || length <= 0)
        return 0;
    int32_t written = 0;
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == Char('&')) {
            if (++i >= length)
                break;
        }
        out[written++] = text[i];
    }
    return written;
}

} // namespace varnelle
