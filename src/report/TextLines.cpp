#include "report/TextLines.h"

namespace dorvik {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = next;
    }
    return lines;
}

bool IsBlankChar(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) noexcept {
    while (!text.empty() && IsBlankChar(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankChar(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlankChar(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsBlankChar(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

bool StartsWith(std::string_view text, std::string_view prefix) noexcept {
    return text.substr(0, prefix.size()) == prefix;
}

namespace {
char LowerChar(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = LowerChar(c);
    }
    return lower;
}

namespace {

// The length of the UTF-8 character that starts at text[i], 0 when the bytes there are none (a
// stray or cut sequence, an overlong form, a surrogate, a code beyond U+10FFFF).
std::size_t Utf8CharLength(std::string_view text, std::size_t i) noexcept {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = b == 0xE0 ? 0xA0 : low;
        high = b == 0xED ? 0x9F : high;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = b == 0xF0 ? 0x90 : low;
        high = b == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

void AppendLatin1AsUtf8(std::string& out, char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
        out += c;
    } else {
        out += static_cast<char>(0xC0 | (b >> 6));
        out += static_cast<char>(0x80 | (b & 0x3F));
    }
}

} // namespace

std::string Latin1FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = Utf8CharLength(utf8, i);
        if (length == 0) {
            out += utf8[i]; // not UTF-8: the byte is taken as Latin-1
            ++i;
            continue;
        }
        if (length == 1) {
            out += utf8[i];
        } else if (length == 2 && b <= 0xC3) {
            const auto c = static_cast<unsigned>(((b & 0x1F) << 6) |
                                                 (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
            out += static_cast<char>(c);
        } else {
            out += '?';
        }
        i += length;
    }
    return out;
}

std::string Utf8FromLatin1(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        AppendLatin1AsUtf8(out, c);
    }
    return out;
}

std::string Utf8FromUtf8OrLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = Utf8CharLength(bytes, i);
        if (length == 0) {
            AppendLatin1AsUtf8(out, bytes[i]);
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string_view CutUtf8(std::string_view utf8, std::size_t bytes) noexcept {
    if (utf8.size() <= bytes) {
        return utf8;
    }
    while (bytes > 0 && (static_cast<unsigned char>(utf8[bytes]) & 0xC0) == 0x80) {
        --bytes; // inside a character: cut before it
    }
    return utf8.substr(0, bytes);
}

std::string Printable(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return out;
}

std::string OneLineText(std::string_view said, std::size_t maxBytes) {
    const std::string printable = Printable(Utf8FromUtf8OrLatin1(said));
    return std::string(Trimmed(CutUtf8(Trimmed(printable), maxBytes)));
}

} // namespace dorvik
