#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// A ZIP archive that could not be read or written. The message names the
// file and says what went wrong, ready to be shown to the user.
class ZipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file to keep in the archive under `name`.
struct ZipMember {
    std::string name;
    std::string path;
};

// How far an update is, and whether to stop it. Called from the thread
// that runs the update.
struct ZipProgress {
    std::function<void(std::size_t done, std::size_t total)> advance;
    std::function<bool()> cancelRequested;
};

// Keeps a ZIP archive up to date with a set of files.
class ZipUpdater {
public:
    virtual ~ZipUpdater() = default;

    // Brings the archive at `archivePath` (made when missing) up to date:
    // a member is stored afresh (deflate, maximum compression) when the
    // archive lacks it or its file is newer than the stored copy (ZIP times
    // are kept to two seconds: a file changed within them counts as newer
    // when its size differs); the others stay as stored. New members follow in the order of `members`; a member
    // whose file is missing is left out. The archive file's own modification
    // time becomes that of its newest member. The new archive is completed
    // and synced beside the old one before it takes its name, so a failure,
    // a cancel or a killed process leaves the old archive whole.
    // Returns false when cancelled (the archive then is as it was). Throws
    // ZipError.
    virtual bool update(const std::string& archivePath, const std::vector<ZipMember>& members,
                        const ZipProgress& progress) = 0;
};

}  // namespace platform
