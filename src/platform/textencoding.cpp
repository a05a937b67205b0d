#include "platform/textencoding.h"

namespace {
constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint32_t kHighSurrogateFirst = 0xD800;
constexpr uint32_t kLowSurrogateFirst = 0xDC00;
constexpr uint32_t kSurrogateLast = 0xDFFF;
constexpr uint32_t kSupplementaryFirst = 0x10000;
// The longest UTF-8 form of one UTF-16 code unit (a pair gives 4 bytes for 2 units).
constexpr size_t kMaxUtf8BytesPerUnit = 3;

uint32_t UnitAt(const unsigned char* data, size_t index)
{
    return static_cast<uint32_t>(data[2 * index]) | static_cast<uint32_t>(data[2 * index + 1]) << 8;
}

void AppendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < kSupplementaryFirst) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
}

std::string Utf16LeToUtf8(const unsigned char* data, size_t count)
{
    std::string out;
    out.reserve(count * kMaxUtf8BytesPerUnit);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t unit = UnitAt(data, i);
        if (unit < kHighSurrogateFirst || unit > kSurrogateLast) {
            AppendUtf8(out, unit);
            continue;
        }
        // A high surrogate followed by a low one is one supplementary
        // character; any other surrogate stands alone and cannot be encoded.
        if (unit < kLowSurrogateFirst && i + 1 < count) {
            const uint32_t next = UnitAt(data, i + 1);
            if (next >= kLowSurrogateFirst && next <= kSurrogateLast) {
                AppendUtf8(out, kSupplementaryFirst + ((unit - kHighSurrogateFirst) << 10) + (next - kLowSurrogateFirst));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, kReplacementCharacter);
    }
    return out;
}
