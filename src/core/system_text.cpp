#include "system_text.h"

#include "text_core.h"

namespace varnelle {

bool SystemTextIsWide()
{
    // The high bit of GetVersion marks the Windows 9x family.
    return (GetVersion() & 0x80000000u) == 0;
}

int TextRun::findTab() const
{
    return wide_ ? FindTab(wide_, length_) : FindTab(ansi_, length_);
}

TextRun TextRun::first(int count) const
{
    const int kept = count < 0 ? 0 : count > length_ ? length_ : count;
    return wide_ ? TextRun(wide_, kept) : TextRun(ansi_, kept);
}

TextRun TextRun::after(int index) const
{
    if (index < 0 || index >= length_)
        return wide_ ? TextRun(wide_, 0) : TextRun(ansi_, 0);
    return wide_ ? TextRun(wide_ + index + 1, length_ - index - 1) : TextRun(ansi_ + index + 1, length_ - index - 1);
}

int TextRun::draw(HDC dc, RECT* rect, UINT format) const
{
    if (!rect)
        return 0;
    // No characters: what DrawTextA makes of none, as before texts were read as UTF-16
    // (DrawTextW measures an empty line where DrawTextA measures nothing).
    if (length_ == 0)
        return DrawTextA(dc, "", 0, rect, format);
    return wide_ ? DrawTextW(dc, wide_, length_, rect, format) : DrawTextA(dc, ansi_, length_, rect, format);
}

} // namespace varnelle
