#include "playback/marks_rewrite.h"

#include "xbase/pack_journal.h"
#include "xbase/tag_access.h"
#include "xbase/xbase_error.h"

namespace playback {
namespace {

int fieldOrThrow(const xbase::Table& table, std::string_view name)
{
    const int field = table.fieldIndex(name);
    if (field < 0)
        throw xbase::XbaseError(table.path() + ": the playlist table has no field " + std::string(name));
    return field;
}

// Every live row not of the album, then the album's new rows.
void writeRows(xbase::Table& playlist, xbase::Table& out, std::string_view albumId,
               const std::vector<std::string>& numbers)
{
    const int id = fieldOrThrow(playlist, "ID");
    const int nr = fieldOrThrow(playlist, "NR");
    std::vector<std::uint8_t> rec = playlist.blankRecord();
    playlist.setFieldText(rec.data(), id, albumId);
    const std::string albumKey = playlist.fieldText(rec.data(), id);
    for (std::uint32_t r = 1; r <= playlist.recordCount(); ++r) {
        if (!playlist.isDeleted(r) && playlist.fieldText(playlist.record(r), id) != albumKey)
            out.append(playlist.record(r));
    }
    for (const std::string& number : numbers) {
        playlist.setFieldText(rec.data(), nr, number);
        out.append(rec.data());
    }
    out.flush();
}

}  // namespace

void rewriteAlbumMarks(xbase::Table& playlist, std::string_view albumId, const std::vector<std::string>& numbers)
{
    if (playlist.mode() != xbase::OpenMode::Exclusive)
        throw xbase::XbaseError(playlist.path() + ": the marks can only be saved with the table opened exclusively");
    xbase::FileSystem& fs = playlist.fileSystem();
    xbase::PackJournal journal(fs, playlist.path());
    journal.recover();
    const std::string temp = journal.tempTablePath();
    try {
        playlist.copyStructure(temp);
        writeRows(playlist, *xbase::Table::open(temp, xbase::OpenMode::Exclusive, fs), albumId, numbers);
        if (playlist.index())
            xbase::rebuildIndexBeside(playlist, temp);
    } catch (...) {
        // Nothing is swapped in yet. Leftovers that cannot be removed now
        // are removed when the table is next opened.
        try {
            journal.recover();
        } catch (const xbase::XbaseError&) {
        }
        throw;
    }
    journal.commit();
}

}  // namespace playback
