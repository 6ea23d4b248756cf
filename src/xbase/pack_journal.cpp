#include "xbase/pack_journal.h"

#include "xbase/file_names.h"

namespace xbase {
namespace {

const char* const kSiblings[] = {"fpt", "cdx"};

}  // namespace

PackJournal::PackJournal(FileSystem& fs, const std::string& tablePath)
    : fs_(fs), path_(tablePath), tempPath_(withStemSuffix(tablePath, "~P")),
      markerPath_(withStemSuffix(tablePath, "~P") + ".done")
{
}

void PackJournal::commit()
{
    // Made under another name and renamed, because a rename syncs the
    // folder: the marker is on disk before the first file moves.
    const std::string marker = markerPath_ + "~";
    fs_.open(marker, OpenFlags::Create)->sync();
    fs_.rename(marker, markerPath_);
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
    if (fs_.exists(markerPath_ + "~"))
        fs_.remove(markerPath_ + "~");
    for (const char* ext : kSiblings) {
        std::string temp = siblingPath(fs_, tempPath_, ext);
        if (fs_.exists(temp))
            fs_.remove(temp);
    }
    if (fs_.exists(tempPath_))
        fs_.remove(tempPath_);
}

}  // namespace xbase
