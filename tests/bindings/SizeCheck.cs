// Checks the C# records against the header's layouts: Marshal.SizeOf and every field
// offset in this process's width, and the 32-bit layout laid out from the field types with
// 4-byte IntPtr fields; and the helpers that unpack CreateFillBmp's result.
using System;
using System.Runtime.InteropServices;
using Varnelle;

static class SizeCheck
{
    static int passed, failed;

    static void Expect(long actual, long expected, string what)
    {
        if (actual == expected) {
            passed++;
        } else {
            failed++;
            Console.WriteLine("FAILED: {0} is {1}, expected {2}", what, actual, expected);
        }
    }

    static readonly string[] Fields = {
        "hIcon", "hIconHover", "dwFlat", "dwIconAlign", "dwEdge", "crTextHover", "crTextPressed",
        "crText", "hFont", "hFontHover", "hCursorHover", "pSoundHover", "hBmp", "hBmpHover", "hBmpPressed"};
    static readonly int[] Offsets32 = {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56};
    static readonly int[] Offsets64 = {0, 8, 16, 20, 24, 28, 32, 36, 40, 48, 56, 64, 72, 80, 88};

    static int Main()
    {
        Type record = typeof(CTRL_STRUCT);
        int[] offsets = IntPtr.Size == 8 ? Offsets64 : Offsets32;
        Expect(Marshal.SizeOf(record), IntPtr.Size == 8 ? 96 : 60, "Marshal.SizeOf(CTRL_STRUCT)");
        int at32 = 0;
        for (int i = 0; i < Fields.Length; i++) {
            Expect(Marshal.OffsetOf(record, Fields[i]).ToInt64(), offsets[i], "offset of " + Fields[i]);
            Type type = record.GetField(Fields[i]).FieldType;
            int size32 = type == typeof(IntPtr) ? 4 : Marshal.SizeOf(type);
            at32 = (at32 + size32 - 1) / size32 * size32;
            Expect(at32, Offsets32[i], "32-bit offset of " + Fields[i]);
            at32 += size32;
        }
        Expect(at32, 60, "32-bit size of CTRL_STRUCT");
        Expect(Marshal.SizeOf(typeof(MenuIconEntry)), 8, "Marshal.SizeOf(MenuIconEntry)");
        Expect(Marshal.OffsetOf(typeof(MenuIconEntry), "imageIndex").ToInt64(), 4, "offset of imageIndex");
        Expect(Marshal.SizeOf(typeof(RECT)), 16, "Marshal.SizeOf(RECT)");

        ulong pair = 0xFFFFFFFE00001234UL;
        Expect(NativeMethods.FillBmpPlain(pair).ToInt64(), 0x1234, "FillBmpPlain");
        Expect(NativeMethods.FillBmpHighlighted(pair).ToInt64(), -2, "FillBmpHighlighted (sign-extended)");
        Console.WriteLine("csharp: {0} passed, {1} failed", passed, failed);
        return failed == 0 ? 0 : 1;
    }
}
