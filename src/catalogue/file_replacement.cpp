#include "catalogue/file_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "catalogue/program_files.h"
#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

// unlink, not remove: what stands under the temporary name and is no file
// of ours (a folder) stays.
void discard(const std::string& temporary) { ::unlink(temporary.c_str()); }

bool syncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

void replaceFile(const std::string& path, std::string_view what, const std::function<void(std::ostream&)>& write)
{
    const std::string temporary = path + ".new";
    bool written = false;
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            write(out);
            written = out.flush().good();
        }
    } catch (...) {
        discard(temporary);
        throw;
    }
    if (!written || !syncFile(temporary)) {
        discard(temporary);
        throw xbase::XbaseError(temporary + ": cannot write " + std::string(what));
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        discard(temporary);
        throw xbase::XbaseError(path + ": cannot replace " + std::string(what) + " (" + ec.message() + ")");
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    syncDirectory(folder.empty() ? "." : folder);
}

void replaceFile(const std::string& path, std::string_view what, std::string_view content)
{
    replaceFile(path, what, [content](std::ostream& out) {
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    });
}

}  // namespace catalogue
