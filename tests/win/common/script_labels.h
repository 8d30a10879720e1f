// Labels in the scripts a localised application shows, each with a font that covers it,
// for the tests that compare painted text with DrawTextW. The ASCII label is the control:
// it reads the same through the ANSI functions.
#pragma once

namespace testing_support {

struct ScriptLabel {
    const char* name;
    const char* face;
    const wchar_t* wideFace;
    const wchar_t* label;
};

inline constexpr ScriptLabel kScriptLabels[] = {
    {"Ascii", "DejaVu Sans", L"DejaVu Sans", L"&Open the file"},
    {"Cyrillic", "DejaVu Sans", L"DejaVu Sans",
     L"&\u0421\u043E\u0437\u0434\u0430\u0442\u044C \u0434\u043E\u043A\u0443\u043C\u0435\u043D\u0442"},
    {"Greek", "DejaVu Sans", L"DejaVu Sans",
     L"\u0386\u03BD\u03BF\u03B9\u03B3\u03BC\u03B1 &\u03B1\u03C1\u03C7\u03B5\u03AF\u03BF\u03C5"},
    {"CentralEuropean", "DejaVu Sans", L"DejaVu Sans", L"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 &ja\u017A\u0144"},
    // No one code page holds Cyrillic, Greek and Czech together.
    {"OutsideAnyOneCodePage", "DejaVu Sans", L"DejaVu Sans",
     L"\u0424\u0430\u0439\u043B \u0391\u03C1\u03C7\u03B5\u03AF\u03BF P\u0159\u00EDli\u0161"},
    {"MixedWithChinese", "WenQuanYi Zen Hei", L"WenQuanYi Zen Hei", L"\u6587\u4EF6 \u0424\u0430\u0439\u043B &File"},
};

} // namespace testing_support
