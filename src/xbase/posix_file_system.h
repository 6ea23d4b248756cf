#pragma once

#include "xbase/file.h"

namespace xbase {

// The real file system: POSIX files with flock() advisory locks.
class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenFlags flags) override;
    bool exists(const std::string& path) override;
    void remove(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    std::string identity(const std::string& path) override;
};

}  // namespace xbase
