#include "platform/zip/libzip_updater.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr int kMaximumCompression = 9;
constexpr double kProgressStep = 0.01;
// ZIP keeps times to two seconds, rounded down: a file is newer than its
// copy when it is at least that much later, or (changed within those two
// seconds) when its size differs.
constexpr std::time_t kZipTimeGrain = 2;
constexpr std::string_view kBesideSuffix = ".new";

struct FileToKeep {
    const ZipMember* member = nullptr;
    std::time_t mtime = 0;
    std::uintmax_t size = 0;
};

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// The folder a path names its file in; "." for a bare name.
fs::path folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

[[noreturn]] void fail(const std::string& path, const std::string& what) { throw ZipError(path + ": " + what); }

std::string errorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

Archive openArchive(const std::string& path, int flags)
{
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), flags, &code);
    if (archive)
        return Archive(archive);
    // A damaged archive is left as it is: it may be the only backup left,
    // so the user decides what becomes of it.
    if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
        fail(path, "the existing archive is damaged (" + errorText(code) +
                       "); move it away or delete it, then try again");
    fail(path, errorText(code));
}

// Whether there is an archive to keep. A zero-length file (a full disk, a
// failed copy) holds nothing and is replaced like a missing one.
bool holdsArchive(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

std::vector<FileToKeep> existingFiles(const std::vector<ZipMember>& members)
{
    std::vector<FileToKeep> files;
    for (const ZipMember& member : members) {
        struct stat st {};
        if (::stat(member.path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            files.push_back({&member, st.st_mtime, std::uintmax_t(st.st_size)});
    }
    return files;
}

// The files the archive at `path` lacks or holds an older copy of.
std::vector<FileToKeep> staleFiles(const std::string& path, const std::vector<FileToKeep>& files)
{
    if (!holdsArchive(path))
        return files;
    Archive archive = openArchive(path, ZIP_RDONLY | ZIP_CHECKCONS);
    std::vector<FileToKeep> stale;
    for (const FileToKeep& file : files) {
        zip_stat_t st;
        if (zip_stat(archive.get(), file.member->name.c_str(), 0, &st) != 0 ||
            (st.valid & (ZIP_STAT_MTIME | ZIP_STAT_SIZE)) != (ZIP_STAT_MTIME | ZIP_STAT_SIZE) ||
            file.mtime - st.mtime >= kZipTimeGrain || st.size != file.size)
            stale.push_back(file);
    }
    return stale;
}

void setModified(const std::string& path, std::time_t mtime)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {mtime, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        fail(path, std::strerror(errno));
}

void syncPath(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    // Some file systems cannot sync a folder (EINVAL); they order their
    // entries themselves.
    if (fd < 0 || (::fsync(fd) != 0 && !(errno == EINVAL && (flags & O_DIRECTORY)))) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        fail(path, std::strerror(error));
    }
    ::close(fd);
}

// What an interrupted update left beside the archive: its copy, and
// libzip's own temporary files of that copy.
void removeLeftovers(const std::string& besidePath)
{
    const fs::path beside(besidePath);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folderOf(besidePath), ec)) {
        const std::string name = entry.path().filename().string();
        if (name == beside.filename().string() || name.starts_with(beside.filename().string() + "."))
            fs::remove(entry.path(), ec);
    }
}

void addFiles(zip_t* archive, const std::string& path, const std::vector<FileToKeep>& stale)
{
    for (const FileToKeep& file : stale) {
        zip_source_t* source = zip_source_file_create(file.member->path.c_str(), 0, -1, nullptr);
        if (!source)
            fail(file.member->path, "cannot be read");
        const zip_int64_t index = zip_file_add(archive, file.member->name.c_str(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(path, zip_strerror(archive));
        }
        const auto at = zip_uint64_t(index);
        if (zip_set_file_compression(archive, at, ZIP_CM_DEFLATE, kMaximumCompression) != 0 ||
            zip_file_set_mtime(archive, at, file.mtime, 0) != 0)
            fail(path, zip_strerror(archive));
    }
}

}  // namespace

bool LibzipUpdater::update(const std::string& archivePath, const std::vector<ZipMember>& members,
                           const ZipProgress& progress)
{
    const std::vector<FileToKeep> files = existingFiles(members);
    std::time_t newest = 0;
    for (const FileToKeep& file : files)
        newest = std::max(newest, file.mtime);
    const std::string beside = archivePath + std::string(kBesideSuffix);
    removeLeftovers(beside);
    const std::vector<FileToKeep> stale = staleFiles(archivePath, files);
    if (stale.empty()) {
        if (holdsArchive(archivePath))
            setModified(archivePath, newest);
        return true;
    }

    std::error_code ec;
    if (holdsArchive(archivePath) && !fs::copy_file(archivePath, beside, fs::copy_options::overwrite_existing, ec))
        fail(beside, ec.message());
    Archive archive = openArchive(beside, ZIP_CREATE);
    addFiles(archive.get(), beside, stale);

    std::size_t total = 0;
    for (const FileToKeep& file : stale)
        total += std::size_t(file.size);
    struct Watch {
        const ZipProgress& progress;
        std::size_t total;
    } watch{progress, total};
    zip_register_progress_callback_with_state(
        archive.get(), kProgressStep,
        [](zip_t*, double fraction, void* state) {
            const auto* w = static_cast<Watch*>(state);
            if (w->progress.advance)
                w->progress.advance(std::size_t(fraction * double(w->total)), w->total);
        },
        nullptr, &watch);
    zip_register_cancel_callback_with_state(
        archive.get(),
        [](zip_t*, void* state) {
            const auto* w = static_cast<Watch*>(state);
            return w->progress.cancelRequested && w->progress.cancelRequested() ? 1 : 0;
        },
        nullptr, &watch);

    if (zip_close(archive.get()) != 0) {
        const bool cancelled = zip_error_code_zip(zip_get_error(archive.get())) == ZIP_ER_CANCELLED;
        const std::string why = zip_strerror(archive.get());
        archive.reset();
        removeLeftovers(beside);
        if (cancelled)
            return false;
        fail(archivePath, why);
    }
    archive.release();  // closed, and freed by zip_close
    setModified(beside, newest);
    syncPath(beside, O_RDONLY);
    fs::rename(beside, archivePath, ec);
    if (ec)
        fail(archivePath, ec.message());
    syncPath(folderOf(archivePath).string(), O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace platform
