#include "common/ansi_text.h"

#include <array>

#include <QList>
#include <QStringDecoder>

namespace common {
namespace {

constexpr unsigned kFirstSpecial = 0x80;
constexpr unsigned kPastSpecial = 0xA0;

// Code points of bytes 0x80-0x9F. The five bytes Windows-1252 leaves
// undefined keep their own value, as Windows converts them, so they survive
// a round trip.
constexpr std::array<char16_t, kPastSpecial - kFirstSpecial> kSpecial{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char byteOf(char32_t c, bool& lost)
{
    if (c < kFirstSpecial || (c >= kPastSpecial && c <= 0xFF))
        return static_cast<char>(c);
    for (unsigned i = 0; i < kSpecial.size(); ++i)
        if (kSpecial[i] == c)
            return static_cast<char>(kFirstSpecial + i);
    lost = true;
    return '?';
}

}  // namespace

QString fromAnsi(std::string_view text)
{
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(b >= kFirstSpecial && b < kPastSpecial ? QChar(kSpecial[b - kFirstSpecial]) : QChar(b));
    }
    return out;
}

std::string toAnsi(const QString& text, bool* lossy)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    bool lost = false;
    for (char32_t c : text.toUcs4())
        out.push_back(byteOf(c, lost));
    if (lossy)
        *lossy = lost;
    return out;
}

QString fromMessage(std::string_view text)
{
    // Stateless: a sequence cut at the end is an error, not left pending.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? fromAnsi(text) : decoded;
}

}  // namespace common
