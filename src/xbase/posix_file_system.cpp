#include "xbase/posix_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "xbase/xbase_error.h"

namespace xbase {
namespace {

std::string errnoText(const std::string& path, const std::string& what)
{
    return path + ": " + what + " failed: " + std::strerror(errno);
}

// What open() says when the file or its folder may not be written.
bool refusedWrite(int error) { return error == EACCES || error == EROFS || error == EPERM; }

std::string readOnlyText(const std::string& path) { return path + ": the file is read-only"; }

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFile : public File {
public:
    PosixFile(std::string path, int fd, bool writable) : path_(std::move(path)), fd_(fd), writable_(writable) {}
    ~PosixFile() override { ::close(fd_); }

    std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override
    {
        std::size_t done = 0;
        while (done < n) {
            ssize_t r = ::pread(fd_, static_cast<char*>(buf) + done, n - done,
                                static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                throw XbaseError(errnoText(path_, "read"));
            }
            if (r == 0)
                break;
            done += static_cast<std::size_t>(r);
        }
        return done;
    }

    void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override
    {
        if (!writable_)
            throw XbaseError(readOnlyText(path_));
        std::size_t done = 0;
        while (done < n) {
            ssize_t r = ::pwrite(fd_, static_cast<const char*>(buf) + done, n - done,
                                 static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                throw XbaseError(errnoText(path_, "write"));
            }
            done += static_cast<std::size_t>(r);
        }
    }

    std::uint64_t size() override
    {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            throw XbaseError(errnoText(path_, "stat"));
        return static_cast<std::uint64_t>(st.st_size);
    }

    void truncate(std::uint64_t size) override
    {
        if (!writable_)
            throw XbaseError(readOnlyText(path_));
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
            throw XbaseError(errnoText(path_, "truncate"));
    }

    void sync() override
    {
        if (::fdatasync(fd_) != 0)
            throw XbaseError(errnoText(path_, "sync"));
    }

    bool tryLock(LockKind kind) override
    {
        int op = (kind == LockKind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
        while (::flock(fd_, op) != 0) {
            if (errno == EINTR)
                continue;
            if (errno == EWOULDBLOCK)
                return false;
            throw XbaseError(errnoText(path_, "lock"));
        }
        return true;
    }

    const std::string& path() const override { return path_; }
    bool writable() const override { return writable_; }

private:
    std::string path_;
    int fd_;
    bool writable_;
};

}  // namespace

std::unique_ptr<File> PosixFileSystem::open(const std::string& path, OpenFlags flags)
{
    int oflags = O_RDWR | O_CLOEXEC;
    if (flags == OpenFlags::Create)
        oflags |= O_CREAT;
    int fd = ::open(path.c_str(), oflags, 0666);
    if (fd >= 0)
        return std::make_unique<PosixFile>(path, fd, true);
    if (!refusedWrite(errno))
        throw XbaseError(errnoText(path, "open"));
    if (flags == OpenFlags::Create)
        throw XbaseError(path + ": cannot be written, the file or its folder is read-only");
    // Still readable; writes are refused with a plain message.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw XbaseError(errnoText(path, "open"));
    return std::make_unique<PosixFile>(path, fd, false);
}

bool PosixFileSystem::exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void PosixFileSystem::remove(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw XbaseError(errnoText(path, "delete"));
}

void PosixFileSystem::rename(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw XbaseError(refusedWrite(errno) ? to + ": cannot be replaced, the file or its folder is read-only"
                                             : errnoText(from, "rename to " + to));
    // A rename lives in the folder: until the folder is synced a power cut
    // may bring back the old name.
    const std::string folder = folderOf(to);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw XbaseError(errnoText(folder, "open"));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    if (synced != 0)
        throw XbaseError(errnoText(folder, "sync"));
}

std::string PosixFileSystem::identity(const std::string& path)
{
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(path), ec);
    return ec ? path : canonical.string();
}

FileSystem& defaultFileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

}  // namespace xbase
