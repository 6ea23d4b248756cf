#pragma once

#include "xbase/file.h"

namespace playback {

// The files of `base`, except that writes are held in memory and reach
// `base` in large pieces (when enough are held, and at sync()): the tracks
// view's work table is filled a row at a time, and a write to the disk per
// row would cost more than the rows themselves. Writes not synced before the
// file is closed may be lost. Requires: `base` outlives this object, and
// nothing else uses the files opened through it meanwhile.
class TracksViewFileSystem : public xbase::FileSystem {
public:
    explicit TracksViewFileSystem(xbase::FileSystem& base) : base_(base) {}

    std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenFlags flags) override;
    bool exists(const std::string& path) override { return base_.exists(path); }
    void remove(const std::string& path) override { base_.remove(path); }
    void rename(const std::string& from, const std::string& to) override { base_.rename(from, to); }
    std::string identity(const std::string& path) override { return base_.identity(path); }

private:
    xbase::FileSystem& base_;
};

}  // namespace playback
