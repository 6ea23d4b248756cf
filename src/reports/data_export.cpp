#include "reports/data_export.h"

#include <optional>

#include "reports/csv_format.h"
#include "reports/record_selection.h"
#include "reports/xml_format.h"

namespace reports {

namespace {

constexpr std::size_t kProgressStep = 64;

// Writes the rows of the table that `cursor` shows in ID order for album
// `id`: those whose first value is `id`.
template <typename WriteRow>
void rowsOfAlbum(xbase::Cursor& cursor, RowValues& values, std::string_view id, WriteRow writeRow)
{
    for (bool more = cursor.seekValues({id}); more; more = cursor.next()) {
        values.read();
        if (values[0] != id)
            return;
        writeRow(values);
    }
}

}  // namespace

std::vector<std::string> writeDataFiles(RecordSelection& selection, OutputKind kind,
                                        const std::vector<std::string>& labels, const std::string& dir,
                                        common::Progress& progress)
{
    const CsvFormat csv;
    const XmlFormat xml;
    const DataFormat& format = kind == OutputKind::Csv ? static_cast<const DataFormat&>(csv) : xml;
    const std::string extension(extensionOf(kind));
    const SelectionSettings& settings = selection.settings();

    std::vector<std::string> names{"albums" + extension};
    OutputFile albumsOut(dir + "/" + names.back());
    format.albumsHead(albumsOut, labels);
    std::optional<OutputFile> tracksOut, playlistOut;
    if (settings.includeTracks) {
        names.push_back("tracks" + extension);
        format.tracksHead(tracksOut.emplace(dir + "/" + names.back()));
    }
    if (settings.includePlaylists) {
        names.push_back("playlist" + extension);
        format.playlistHead(playlistOut.emplace(dir + "/" + names.back()));
    }

    xbase::Cursor& albums = selection.albums();
    RowValues albumValues(albums, labels);
    RowValues albumId(albums, {"ID"});
    std::optional<RowValues> trackValues, markValues;
    if (tracksOut)
        trackValues.emplace(selection.tracks(), std::vector<std::string>{"ID", "NR", "TRACK"});
    if (playlistOut)
        markValues.emplace(selection.playlist(), std::vector<std::string>{"ID", "NR"});

    const std::size_t total = albums.count();
    std::size_t done = 0;
    for (bool more = albums.first(); more; more = albums.next()) {
        if (progress.cancelRequested())
            return {};
        albumValues.read();
        format.albumRow(albumsOut, labels, albumValues);
        albumId.read();
        if (tracksOut)
            rowsOfAlbum(selection.tracks(), *trackValues, albumId[0],
                        [&](const RowValues& t) { format.trackRow(*tracksOut, t[0], t[1], t[2]); });
        if (playlistOut)
            rowsOfAlbum(selection.playlist(), *markValues, albumId[0],
                        [&](const RowValues& m) { format.markRow(*playlistOut, m[0], m[1]); });
        if (++done % kProgressStep == 0)
            progress.advance(done, total);
    }
    progress.advance(done, total);

    // All written out before any replaces its target: a full disk then
    // leaves the earlier files of the set as they were.
    std::vector<OutputFile*> outs{&albumsOut};
    for (std::optional<OutputFile>* out : {&tracksOut, &playlistOut})
        if (*out)
            outs.push_back(&**out);
    for (OutputFile* out : outs) {
        format.tail(*out);
        out->flush();
    }
    for (OutputFile* out : outs)
        out->commit();
    return names;
}

}  // namespace reports
