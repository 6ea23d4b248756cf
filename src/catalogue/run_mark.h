#pragma once

#include <string>
#include <string_view>

#include "xbase/file.h"

namespace catalogue {

// A file in the program directory that is there while the catalogue is in
// use: made before start-up touches a table, removed only when the program
// closes cleanly. Found at the next start, it tells that the last run ended
// in a crash, a kill or a power cut, so a write may have been cut short
// anywhere, indexes included.
class RunMark {
public:
    static constexpr std::string_view kFileName = "Vinora.running";

    RunMark(std::string programDir, xbase::FileSystem& fs);

    // Whether the mark is there now.
    bool present() const;
    // Makes the mark and syncs its folder. Throws xbase::XbaseError.
    void set() const;
    // Removes the mark and syncs its folder. Throws xbase::XbaseError.
    void clear() const;

private:
    std::string dir_;
    std::string path_;
    xbase::FileSystem& fs_;
};

}  // namespace catalogue
