#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "xbase/file.h"

namespace fuzz_support {

// Files held in memory, so a fuzz input becomes a table without touching the
// disk and read-only fixtures can be opened for writing. Locks always succeed.
class MemoryFileSystem : public xbase::FileSystem {
public:
    // A file may not grow past this: a write at a damaged offset fails as a
    // full disk would, instead of taking all memory.
    static constexpr std::uint64_t kMaxFileSize = 64u << 20;

    // Puts `bytes` at `path`, replacing what was there.
    void add(const std::string& path, std::vector<std::uint8_t> bytes);

    std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenFlags flags) override;
    bool exists(const std::string& path) override;
    void remove(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    std::string identity(const std::string& path) override;

private:
    std::map<std::string, std::shared_ptr<std::vector<std::uint8_t>>> files_;
};

// Whole content of a real file (a fixture). Throws XbaseError when it
// cannot be read.
std::vector<std::uint8_t> readRealFile(const std::string& path);

}  // namespace fuzz_support
