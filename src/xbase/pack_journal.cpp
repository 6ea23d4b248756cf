#include "xbase/pack_journal.h"

#include "xbase/file_names.h"

namespace xbase {
namespace {

const char* const kSiblings[] = {"fpt", "cdx"};

std::string withStemSuffix(const std::string& path, const std::string& suffix)
{
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + suffix;
    return path.substr(0, dot) + suffix + path.substr(dot);
}

}  // namespace

PackJournal::PackJournal(FileSystem& fs, const std::string& tablePath)
    : fs_(fs), path_(tablePath), tempPath_(withStemSuffix(tablePath, "~P")),
      markerPath_(withStemSuffix(tablePath, "~P") + ".done")
{
}

void PackJournal::commit()
{
    {
        auto marker = fs_.open(markerPath_, OpenFlags::Create);
        marker->sync();
    }
    renameAll();
    fs_.remove(markerPath_);
}

bool PackJournal::recover()
{
    if (fs_.exists(markerPath_)) {
        renameAll();
        fs_.remove(markerPath_);
        return true;
    }
    removeTemporaries();
    return false;
}

void PackJournal::renameAll()
{
    for (const char* ext : kSiblings) {
        std::string from = siblingPath(fs_, tempPath_, ext);
        if (fs_.exists(from))
            fs_.rename(from, siblingPath(fs_, path_, ext));
    }
    if (fs_.exists(tempPath_))
        fs_.rename(tempPath_, path_);
}

void PackJournal::removeTemporaries()
{
    for (const char* ext : kSiblings) {
        std::string temp = siblingPath(fs_, tempPath_, ext);
        if (fs_.exists(temp))
            fs_.remove(temp);
    }
    if (fs_.exists(tempPath_))
        fs_.remove(tempPath_);
}

}  // namespace xbase
