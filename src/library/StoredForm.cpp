#include "StoredForm.h"

#include <span>

namespace skyloom {
namespace {

struct Code {
    const char* plain;
    const char* code;
};

constexpr Code kAmpersand{"&", "&#38"};

// The characters both tables encode, in the order of their replacement steps.
constexpr Code kShared[] = {{"'", "&#39"}, {".", "&#46"}, {"/", "&#47"}, {"(", "&#40"},
                            {")", "&#41"}, {",", "&#44"}, {":", "&#58"}, {"-", "&#45"}};
constexpr Code kBraces[] = {{"{", "&#124"}, {"}", "&#125"}};

void Encode(QString& text, std::span<const Code> codes) {
    for (const Code& c : codes)
        text.replace(QLatin1String(c.plain), QLatin1String(c.code));
}

void Decode(QString& text, std::span<const Code> codes) {
    for (const Code& c : codes)
        text.replace(QLatin1String(c.code), QLatin1String(c.plain));
}

} // namespace

QString EncodeCategoryText(QString text) {
    Encode(text, {&kAmpersand, 1});
    Encode(text, kShared);
    return text;
}

QString DecodeCategoryText(QString text) {
    Decode(text, kShared);
    Decode(text, {&kAmpersand, 1});
    return text;
}

QString EncodeShortcutText(QString text) {
    Encode(text, kShared);
    Encode(text, kBraces);
    Encode(text, {&kAmpersand, 1});
    return text;
}

QString DecodeShortcutText(QString text) {
    Decode(text, kShared);
    Decode(text, kBraces);
    Decode(text, {&kAmpersand, 1});
    return text;
}

} // namespace skyloom
