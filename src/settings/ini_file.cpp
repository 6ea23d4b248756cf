#include "settings/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "catalogue/program_files.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view s)
{
    std::size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trim(line.substr(0, line.find(']')));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// Comment lines (";") and lines without "=" hold no key.
std::optional<KeyLine> keyLine(std::string_view line)
{
    std::size_t eq = line.find('=');
    std::string_view key = trim(line.substr(0, eq));
    if (eq == std::string_view::npos || key.empty() || key.front() == ';' || sectionName(line))
        return std::nullopt;
    return KeyLine{key, line.substr(eq + 1)};
}

[[noreturn]] void fail(const std::string& path, const std::string& what)
{
    throw xbase::XbaseError(path + ": " + what + ": " + std::strerror(errno));
}

}  // namespace

IniFile IniFile::parse(std::string_view text)
{
    IniFile ini;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ini.lines_.emplace_back(line);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    return ini;
}

IniFile IniFile::load(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        fail(path, "cannot read the settings file");
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            fail(path, "cannot read the settings file");
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    // Text holds no NUL bytes; a file that does is something else under
    // this name, and writing keys into it would only spoil it further.
    if (text.find('\0') != std::string::npos)
        throw xbase::XbaseError(path + ": cannot read the settings file: it holds binary data, not text");
    return parse(text);
}

std::string IniFile::text() const
{
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += kLineEnd;
    }
    return out;
}

void IniFile::save(const std::string& path) const
{
    const std::string temp = path + ".new";
    const std::string bytes = text();
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(temp, "cannot create the settings file");
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            errno = saved;
            fail(temp, "cannot write the settings file");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        fail(temp, "cannot write the settings file");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        fail(path, "cannot replace the settings file");
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    catalogue::syncDirectory(folder.empty() ? "." : folder);
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (name && xbase::equalsNoCase(*name, trim(section)))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && !sectionName(lines_[i]))
        ++i;
    return i;
}

std::optional<std::size_t> IniFile::findKey(std::size_t header, std::string_view key) const
{
    for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i) {
        auto k = keyLine(lines_[i]);
        if (k && xbase::equalsNoCase(k->key, trim(key)))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    auto header = findSection(section);
    if (!header)
        return std::nullopt;
    auto line = findKey(*header, key);
    if (!line)
        return std::nullopt;
    return std::string(keyLine(lines_[*line])->value);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

long IniFile::readInteger(std::string_view section, std::string_view key, long fallback) const
{
    auto v = value(section, key);
    if (!v)
        return fallback;
    std::string_view digits = trim(*v);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return ec == std::errc() && end == digits.data() + digits.size() && !digits.empty() ? n : fallback;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> out;
    auto header = findSection(section);
    if (!header)
        return out;
    for (std::size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i)
        if (auto k = keyLine(lines_[i]))
            out.emplace_back(std::string(k->key), std::string(k->value));
    return out;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    value = value.substr(0, value.find_first_of("\r\n"));
    auto header = findSection(section);
    if (!header) {
        lines_.push_back("[" + std::string(trim(section)) + "]");
        lines_.push_back(std::string(trim(key)) + "=" + std::string(value));
        return;
    }
    if (auto line = findKey(*header, key)) {
        lines_[*line] = std::string(keyLine(lines_[*line])->key) + "=" + std::string(value);
        return;
    }
    std::size_t at = sectionEnd(*header);
    while (at > *header + 1 && trim(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::string(trim(key)) + "=" + std::string(value));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, long value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section)
{
    if (auto header = findSection(section))
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(*header)));
}

}  // namespace settings
