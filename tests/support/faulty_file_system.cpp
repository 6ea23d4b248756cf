#include "support/faulty_file_system.h"

#include <algorithm>

#include "xbase/xbase_error.h"

namespace test_support {
namespace {

class FaultyFile : public xbase::File {
public:
    FaultyFile(std::unique_ptr<xbase::File> real, FaultyFileSystem& fs) : real_(std::move(real)), fs_(fs) {}

    std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override { return real_->readAt(offset, buf, n); }
    void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override
    {
        std::size_t allowed = fs_.take(n);
        if (allowed > 0)
            real_->writeAt(offset, buf, allowed);
        if (allowed < n)
            throw xbase::XbaseError(path() + ": injected write failure");
    }
    std::uint64_t size() override { return real_->size(); }
    void truncate(std::uint64_t size) override
    {
        if (fs_.take(1) == 0)
            throw xbase::XbaseError(path() + ": injected truncate failure");
        real_->truncate(size);
    }
    void sync() override { real_->sync(); }
    bool tryLock(xbase::LockKind kind) override { return real_->tryLock(kind); }
    const std::string& path() const override { return real_->path(); }
    bool writable() const override { return real_->writable(); }

private:
    std::unique_ptr<xbase::File> real_;
    FaultyFileSystem& fs_;
};

}  // namespace

std::size_t FaultyFileSystem::take(std::size_t n)
{
    steps_.push_back(written_);
    std::uint64_t allowed = std::min<std::uint64_t>(n, budget_);
    budget_ -= allowed;
    written_ += allowed;
    if (allowed < n && fault_ == Fault::Once)
        heal();
    return static_cast<std::size_t>(allowed);
}

std::unique_ptr<xbase::File> FaultyFileSystem::open(const std::string& path, xbase::OpenFlags flags)
{
    return std::make_unique<FaultyFile>(xbase::defaultFileSystem().open(path, flags), *this);
}

bool FaultyFileSystem::exists(const std::string& path) { return xbase::defaultFileSystem().exists(path); }
void FaultyFileSystem::remove(const std::string& path) { xbase::defaultFileSystem().remove(path); }
void FaultyFileSystem::rename(const std::string& from, const std::string& to)
{
    if (take(1) == 0)
        throw xbase::XbaseError(from + ": injected rename failure");
    xbase::defaultFileSystem().rename(from, to);
}
std::string FaultyFileSystem::identity(const std::string& path) { return xbase::defaultFileSystem().identity(path); }

}  // namespace test_support
