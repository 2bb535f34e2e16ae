#include "data/Utf8.h"

namespace data::utf8 {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one code point at `pos` and advances it; malformed input yields U+FFFD.
char32_t DecodeOne(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return Replacement;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || !IsContinuation(static_cast<unsigned char>(text[pos]))) {
            return Replacement;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    return cp;
}

// Latin-1 accented letters and their base letters, upper case half (0xC0..0xDE).
constexpr char FoldTable[] = "aaaaaaaceeeeiiiidnooooo*ouuuuyt";

} // namespace

std::u32string Decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        out.push_back(DecodeOne(text, pos));
    }
    return out;
}

void Append(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

std::string Encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t ch : text) {
        Append(out, ch);
    }
    return out;
}

std::size_t Length(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text) {
        if (!IsContinuation(static_cast<unsigned char>(byte))) {
            ++count;
        }
    }
    return count;
}

std::string Left(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos]))) {
            if (seen == count) {
                return std::string(text.substr(0, pos));
            }
            ++seen;
        }
    }
    return std::string(text);
}

bool IsDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

bool IsLetter(char32_t ch) {
    if ((ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z')) {
        return true;
    }
    return (ch >= 0xC0 && ch <= 0x24F && ch != 0xD7 && ch != 0xF7);
}

char32_t UpperChar(char32_t ch) {
    if (ch >= U'a' && ch <= U'z') {
        return ch - 32;
    }
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) {
        return ch - 32;
    }
    if (ch == 0xFF) {
        return 0x178;
    }
    // Latin Extended-A pairs upper/lower on even/odd code points, shifted by one in two runs.
    if ((ch >= 0x100 && ch <= 0x137) || (ch >= 0x14A && ch <= 0x177)) {
        return ch & ~char32_t{1};
    }
    if ((ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E)) {
        return (ch % 2 == 0) ? ch - 1 : ch;
    }
    return ch;
}

char32_t LowerChar(char32_t ch) {
    if (ch >= U'A' && ch <= U'Z') {
        return ch + 32;
    }
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) {
        return ch + 32;
    }
    if (ch == 0x178) {
        return 0xFF;
    }
    if ((ch >= 0x100 && ch <= 0x137) || (ch >= 0x14A && ch <= 0x177)) {
        return ch | char32_t{1};
    }
    if ((ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E)) {
        return (ch % 2 == 1) ? ch + 1 : ch;
    }
    return ch;
}

char32_t FoldChar(char32_t ch) {
    const char32_t lower = LowerChar(ch);
    if (lower >= 0xE0 && lower <= 0xFE && lower != 0xF7 && lower != 0xE6 && lower != 0xF0 && lower != 0xFE) {
        return static_cast<char32_t>(FoldTable[lower - 0xE0]);
    }
    if (lower == 0xFF) {
        return U'y';
    }
    return lower;
}

namespace {

template <class Map> std::string MapText(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            Append(out, map(byte));
        } else {
            Append(out, map(DecodeOne(text, pos)));
        }
    }
    return out;
}

} // namespace

std::string ToUpper(std::string_view text) {
    return MapText(text, UpperChar);
}

std::string ToLower(std::string_view text) {
    return MapText(text, LowerChar);
}

std::string Fold(std::string_view text) {
    return MapText(text, FoldChar);
}

} // namespace data::utf8
