#include "playback/playlist_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <QFile>

#include "common/ansi_text.h"
#include "common/notes_tags.h"
#include "common/trim_and_case.h"

namespace playback {
namespace {

constexpr std::string_view kLocalDriveMedium = "LD";

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool hasWildcard(std::string_view mask) { return mask.find_first_of("*?") != std::string_view::npos; }

std::string_view unpadded(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "D:\..." or "\\server\...": a path written on Windows.
bool isWindowsPath(std::string_view path)
{
    const bool driveLetter = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                             path[1] == ':' && path[2] == '\\';
    return driveLetter || path.starts_with("\\\\");
}

bool byNameRegardlessOfCase(const std::string& a, const std::string& b)
{
    if (common::lessNoCase(a, b))
        return true;
    return !common::lessNoCase(b, a) && a < b;
}

}  // namespace

std::string localPath(std::string_view stored)
{
    return QFile::encodeName(common::fromAnsi(unpadded(stored))).toStdString();
}

bool maskMatches(std::string_view mask, std::string_view name)
{
    std::size_t m = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starAt = m++;
            resumeAt = n;
        } else if (m < mask.size() && (mask[m] == '?' || folded(mask[m]) == folded(name[n]))) {
            ++m;
            ++n;
        } else if (starAt != std::string_view::npos) {
            m = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::vector<std::string> matchingFiles(std::string_view spec)
{
    const std::size_t slash = spec.rfind('/');
    const std::string directory(spec.substr(0, slash == std::string_view::npos ? 0 : slash + 1));
    const std::string_view mask = spec.substr(directory.size());
    if (mask.empty())
        return {};

    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory.empty() ? "." : directory, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (name.starts_with('.') || entry.is_directory(typeError) || typeError)
            continue;
        if (hasWildcard(mask) ? maskMatches(mask, name) : common::equalsNoCase(mask, name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), byNameRegardlessOfCase);
    if (!hasWildcard(mask) && !names.empty()) {
        const auto exact = std::find(names.begin(), names.end(), mask);
        names = {exact == names.end() ? names.front() : *exact};
    }
    for (std::string& name : names)
        name = directory + name;
    return names;
}

FilePlaylistSource filePlaylistSource(std::string_view media, std::string_view label, std::string_view notes)
{
    FilePlaylistSource source;
    if (media != kLocalDriveMedium)
        return source;
    source.paths = matchingFiles(localPath(label));
    if (source.paths.empty()) {
        const common::NotesTags tags(notes);
        if (!tags.lines().empty())
            source.paths = matchingFiles(localPath(tags.lines().front()));
    }
    source.windowsLabel = source.paths.empty() && isWindowsPath(unpadded(label));
    return source;
}

}  // namespace playback
