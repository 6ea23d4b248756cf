#include "xbase/file_names.h"

#include <cctype>
#include <filesystem>

namespace xbase {
namespace {

std::string withCase(std::string_view ext, bool upper)
{
    std::string out(ext);
    for (char& c : out)
        c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                    : std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string siblingPath(FileSystem& fs, const std::string& path, std::string_view ext)
{
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    std::string stem = path;
    bool upper = false;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        stem = path.substr(0, dot);
        std::string_view own = std::string_view(path).substr(dot + 1);
        upper = !own.empty() && std::isupper(static_cast<unsigned char>(own[0]));
    }
    std::string preferred = stem + "." + withCase(ext, upper);
    if (fs.exists(preferred))
        return preferred;
    std::string other = stem + "." + withCase(ext, !upper);
    if (fs.exists(other))
        return other;
    // Files copied from elsewhere may spell the stem differently
    // (Albums.dbf beside ALBUMS.FPT); they still belong together.
    const std::filesystem::path wanted(preferred);
    const std::filesystem::path folder = wanted.has_parent_path() ? wanted.parent_path() : ".";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (equalsNoCase(it->path().filename().string(), wanted.filename().string()) && it->is_regular_file(ec))
            return it->path().string();
    }
    return preferred;
}

std::string baseName(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string withStemSuffix(const std::string& path, std::string_view suffix)
{
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + std::string(suffix);
    return path.substr(0, dot) + std::string(suffix) + path.substr(dot);
}

}  // namespace xbase
