#include "platform/textencoding.h"

#include <QStringDecoder>

namespace {
constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint32_t kHighSurrogateFirst = 0xD800;
constexpr uint32_t kLowSurrogateFirst = 0xDC00;
constexpr uint32_t kSurrogateLast = 0xDFFF;
constexpr uint32_t kSupplementaryFirst = 0x10000;
// The longest UTF-8 form of one UTF-16 code unit (a pair gives 4 bytes for 2 units).
constexpr size_t kMaxUtf8BytesPerUnit = 3;

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr unsigned char kWindows1252HighFirst = 0x80;
constexpr unsigned char kWindows1252HighEnd = 0xA0;
constexpr char16_t kWindows1252High[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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

QString DecodeSystemText(const std::string& text)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError())
        return decoded;
    decoded.clear();
    decoded.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool high = byte >= kWindows1252HighFirst && byte < kWindows1252HighEnd;
        decoded.append(high ? QChar(kWindows1252High[byte - kWindows1252HighFirst]) : QChar(byte));
    }
    return decoded;
}
