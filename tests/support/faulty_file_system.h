#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "xbase/file.h"

namespace test_support {

// The real file system, except that writes fail once a budget of bytes is
// spent: the write that crosses it stores only the bytes within budget
// (a torn write) and throws XbaseError, as a full disk or I/O error would.
class FaultyFileSystem : public xbase::FileSystem {
public:
    // Lasting: every later write fails too (a dead disk). Once: later writes
    // succeed again (a passing I/O error).
    enum class Fault { Lasting, Once };

    // Budget in bytes from now on; unlimited by default.
    void failAfter(std::uint64_t bytes, Fault fault = Fault::Lasting)
    {
        budget_ = bytes;
        fault_ = fault;
    }
    void heal() { budget_ = std::numeric_limits<std::uint64_t>::max(); }
    std::uint64_t written() const { return written_; }
    // written() at the start of each write, truncate and rename so far: the
    // budgets that fail each step before it stores anything.
    const std::vector<std::uint64_t>& steps() const { return steps_; }

    std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenFlags flags) override;
    bool exists(const std::string& path) override;
    void remove(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    std::string identity(const std::string& path) override;

    // Called by its files: how many of `n` bytes may still be written.
    std::size_t take(std::size_t n);

private:
    std::uint64_t budget_ = std::numeric_limits<std::uint64_t>::max();
    Fault fault_ = Fault::Lasting;
    std::uint64_t written_ = 0;
    std::vector<std::uint64_t> steps_;
};

}  // namespace test_support
