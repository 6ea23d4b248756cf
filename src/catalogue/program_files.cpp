#include "catalogue/program_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> matches(const std::string& dir, std::string_view name)
{
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (xbase::equalsNoCase(it->path().filename().string(), name))
            out.push_back(it->path());
    return out;
}

}  // namespace

std::string joinPath(const std::string& dir, std::string_view name) { return (fs::path(dir) / name).string(); }

std::string findFileNoCase(const std::string& dir, std::string_view name)
{
    std::string found;
    for (const fs::path& p : matches(dir, name)) {
        if (p.filename() == name)
            return p.string();
        if (found.empty())
            found = p.string();
    }
    return found;
}

std::string filePathNoCase(const std::string& dir, std::string_view name)
{
    std::string found = findFileNoCase(dir, name);
    return found.empty() ? joinPath(dir, name) : found;
}

void syncDirectory(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Some file systems cannot sync a folder (EINVAL); they order their
    // entries themselves.
    if (fd < 0 || (::fsync(fd) != 0 && errno != EINVAL)) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        throw xbase::XbaseError(dir + ": cannot sync the folder: " + std::strerror(error));
    }
    ::close(fd);
}

void removeFileNoCase(const std::string& dir, std::string_view name)
{
    for (const fs::path& p : matches(dir, name)) {
        std::error_code ec;
        if (!fs::remove(p, ec) && ec)
            throw xbase::XbaseError(p.string() + ": cannot delete the file: " + ec.message());
    }
}

}  // namespace catalogue
