#include "memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "xbase/xbase_error.h"

namespace fuzz_support {
namespace {

class MemoryFile : public xbase::File {
public:
    MemoryFile(std::string path, std::shared_ptr<std::vector<std::uint8_t>> bytes)
        : path_(std::move(path)), bytes_(std::move(bytes))
    {
    }

    std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override
    {
        if (n == 0 || offset >= bytes_->size())
            return 0;
        const std::size_t got = static_cast<std::size_t>(std::min<std::uint64_t>(n, bytes_->size() - offset));
        std::memcpy(buf, bytes_->data() + offset, got);
        return got;
    }
    void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override
    {
        if (offset > MemoryFileSystem::kMaxFileSize || n > MemoryFileSystem::kMaxFileSize - offset)
            throw xbase::XbaseError(path_ + ": write past the in-memory size limit");
        if (n == 0)
            return;
        if (offset + n > bytes_->size())
            bytes_->resize(offset + n);
        std::memcpy(bytes_->data() + offset, buf, n);
    }
    std::uint64_t size() override { return bytes_->size(); }
    void truncate(std::uint64_t size) override
    {
        if (size > MemoryFileSystem::kMaxFileSize)
            throw xbase::XbaseError(path_ + ": size past the in-memory size limit");
        bytes_->resize(size);
    }
    void sync() override {}
    bool tryLock(xbase::LockKind) override { return true; }
    const std::string& path() const override { return path_; }

private:
    std::string path_;
    std::shared_ptr<std::vector<std::uint8_t>> bytes_;
};

}  // namespace

void MemoryFileSystem::add(const std::string& path, std::vector<std::uint8_t> bytes)
{
    files_[path] = std::make_shared<std::vector<std::uint8_t>>(std::move(bytes));
}

std::unique_ptr<xbase::File> MemoryFileSystem::open(const std::string& path, xbase::OpenFlags flags)
{
    auto it = files_.find(path);
    if (it == files_.end()) {
        if (flags != xbase::OpenFlags::Create)
            throw xbase::XbaseError(path + ": no such file");
        it = files_.emplace(path, std::make_shared<std::vector<std::uint8_t>>()).first;
    }
    return std::make_unique<MemoryFile>(path, it->second);
}

bool MemoryFileSystem::exists(const std::string& path) { return files_.count(path) != 0; }

void MemoryFileSystem::remove(const std::string& path) { files_.erase(path); }

void MemoryFileSystem::rename(const std::string& from, const std::string& to)
{
    auto it = files_.find(from);
    if (it == files_.end())
        throw xbase::XbaseError(from + ": no such file");
    if (from == to)
        return;
    files_[to] = it->second;
    files_.erase(it);
}

std::string MemoryFileSystem::identity(const std::string& path) { return path; }

std::vector<std::uint8_t> readRealFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw xbase::XbaseError(path + ": cannot be read");
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fuzz_support
