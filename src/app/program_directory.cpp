#include "app/program_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "xbase/xbase_error.h"

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "vinora";

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string withSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir.push_back('/');
    return dir;
}

bool isDirectory(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isPortable(const std::string& executableDir)
{
    std::error_code ec;
    return !executableDir.empty() && fs::exists(fs::path(executableDir) / kPortableMarker, ec);
}

bool holdsCatalogue(const std::string& executableDir)
{
    return !executableDir.empty() && !catalogue::findFileNoCase(executableDir, catalogue::kAlbums.fileName).empty();
}

}  // namespace

DirectoryInputs currentDirectoryInputs(const std::string& executableDir)
{
    return {executableDir, env("VINORA_HOME"), env("XDG_DATA_HOME"), env("HOME")};
}

std::string chooseProgramDirectory(const DirectoryInputs& in)
{
    if (!in.vinoraHome.empty())
        return withSlash(fs::absolute(in.vinoraHome).lexically_normal().string());
    if (isPortable(in.executableDir) || holdsCatalogue(in.executableDir))
        return withSlash(in.executableDir);
    // XDG base directories must be absolute; a relative one is ignored.
    if (!in.xdgDataHome.empty() && in.xdgDataHome.front() == '/')
        return withSlash((fs::path(in.xdgDataHome) / kFolderName).string());
    return withSlash((fs::path(in.home) / ".local" / "share" / kFolderName).string());
}

std::string portableCollectionNotice(const DirectoryInputs& in)
{
    if (!in.vinoraHome.empty() || isPortable(in.executableDir) || !holdsCatalogue(in.executableDir))
        return {};
    return "The collection is kept beside the program, in\r" + withSlash(in.executableDir) +
           "\rVinora found its files there. Put a file named " + std::string(kPortableMarker) +
           " in that folder\rto keep it there without this message.";
}

std::string shippedDataDirectory(const std::string& executableDir)
{
    const fs::path exe(executableDir);
    for (const fs::path& candidate : {exe / "data", exe / ".." / "share" / kFolderName})
        if (isDirectory(candidate))
            return withSlash(candidate.lexically_normal().string());
    return {};
}

void enterProgramDirectory(const std::string& dir)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec)
        throw xbase::XbaseError(dir + ": cannot create the program directory (" + ec.message() + ")");
    if (::chdir(dir.c_str()) != 0)
        throw xbase::XbaseError(dir + ": cannot make it the working directory (" + std::strerror(errno) + ")");
}

}  // namespace app
