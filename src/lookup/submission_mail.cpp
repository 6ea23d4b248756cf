#include "lookup/submission_mail.h"

#include <algorithm>
#include <charconv>

#include "common/ansi_text.h"
#include "common/trim_and_case.h"

namespace lookup {
namespace {

// The database refuses longer lines: 256 bytes with their CR LF.
constexpr std::size_t kLongestLine = 254;
constexpr int kSmtpPort = 25;
constexpr int kHighestPort = 65535;
constexpr std::string_view kSoundtrackCut = "soundtrac";
constexpr std::string_view kSoundtrack = "soundtrack";
constexpr std::string_view kMisc = "misc";

enum class Charset { Ascii, Latin1, Utf8 };

// Windows-1252 puts printable characters (the euro sign, curved quotes)
// where ISO-8859-1 has control codes; only UTF-8 carries those.
Charset charsetOf(const std::vector<std::string>& lines)
{
    constexpr unsigned char kFirstEightBit = 0x80;
    constexpr unsigned char kFirstLatin1Printable = 0xA0;
    bool eightBit = false;
    for (const std::string& line : lines) {
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= kFirstEightBit && byte < kFirstLatin1Printable)
                return Charset::Utf8;
            eightBit = eightBit || byte >= kFirstEightBit;
        }
    }
    return eightBit ? Charset::Latin1 : Charset::Ascii;
}

std::string utf8(const std::string& ansi)
{
    const QByteArray bytes = common::fromAnsi(ansi).toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool continuesUtf8Character(char c)
{
    constexpr unsigned char kMask = 0xC0;
    constexpr unsigned char kContinuation = 0x80;
    return (static_cast<unsigned char>(c) & kMask) == kContinuation;
}

// Appends `line` with CR LF; a line too long for the database goes as
// several lines of its key, each with a part of the value.
void appendLine(std::string& body, std::string line, bool isUtf8)
{
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::size_t equals = line.find('=');
    if (line.size() <= kLongestLine || equals == std::string::npos || equals + 1 >= kLongestLine) {
        body += line + "\r\n";
        return;
    }
    const std::string_view key = std::string_view(line).substr(0, equals + 1);
    std::string_view value = std::string_view(line).substr(equals + 1);
    while (!value.empty()) {
        std::size_t n = std::min(kLongestLine - key.size(), value.size());
        while (isUtf8 && n > 1 && n < value.size() && continuesUtf8Character(value[n]))
            --n;
        body.append(key).append(value.substr(0, n)).append("\r\n");
        value.remove_prefix(n);
    }
}

}  // namespace

std::string submissionCategory(std::string_view genre, const std::vector<std::string>& official)
{
    if (genre == kSoundtrackCut)
        return std::string(kSoundtrack);
    const std::string_view wanted = common::trimmed(genre);
    for (const std::string& category : official) {
        if (!wanted.empty() && common::equalsNoCase(common::trimmed(category), wanted))
            return std::string(common::trimmed(category));
    }
    return std::string(kMisc);
}

std::optional<platform::MailServer> mailServerFromSetting(std::string_view setting)
{
    const std::string_view text = common::trimmed(setting);
    std::string_view host = text;
    std::optional<std::string_view> port;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':'))
            return std::nullopt;
        if (!rest.empty())
            port = rest.substr(1);
    } else if (const std::size_t colon = text.find(':'); colon != std::string_view::npos && colon == text.rfind(':')) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty() || host.find_first_of(" \t") != std::string_view::npos)
        return std::nullopt;
    platform::MailServer server{std::string(host), kSmtpPort};
    if (port) {
        const auto [end, error] = std::from_chars(port->data(), port->data() + port->size(), server.port);
        if (error != std::errc() || end != port->data() + port->size() || server.port < 1 ||
            server.port > kHighestPort)
            return std::nullopt;
    }
    return server;
}

platform::MailMessage submissionMail(const std::string& from, const std::string& to, std::string_view category,
                                     std::string_view discId, const std::vector<std::string>& entryLines,
                                     std::string_view date)
{
    const Charset charset = charsetOf(entryLines);
    const std::string_view charsetName =
        charset == Charset::Ascii ? "US-ASCII" : charset == Charset::Latin1 ? "ISO-8859-1" : "UTF-8";
    std::string text;
    text.append("From: ").append(from).append("\r\n");
    text.append("To: ").append(to).append("\r\n");
    text.append("Subject: cddb ").append(common::trimmed(category)).append(" ").append(discId).append("\r\n");
    text.append("Date: ").append(date).append("\r\n");
    text.append("MIME-Version: 1.0\r\n");
    text.append("Content-Type: text/plain; charset=").append(charsetName).append("\r\n");
    text.append("Content-Transfer-Encoding: ").append(charset == Charset::Ascii ? "7bit" : "8bit").append("\r\n");
    text.append("\r\n");
    for (const std::string& line : entryLines)
        appendLine(text, charset == Charset::Utf8 ? utf8(line) : line, charset == Charset::Utf8);
    return {from, to, std::move(text)};
}

}  // namespace lookup
