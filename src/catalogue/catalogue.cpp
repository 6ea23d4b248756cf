#include "catalogue/catalogue.h"

#include "catalogue/album_codes.h"
#include "catalogue/catalogue_creator.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/file_repair.h"
#include "catalogue/rollback_journal.h"
#include "catalogue/run_mark.h"
#include "xbase/file_names.h"

namespace catalogue {

Catalogue::Catalogue(std::string programDir, xbase::FileSystem& fs)
    : dir_(std::move(programDir)),
      fs_(fs),
      albums_("albums", dir_, std::string(kAlbums.fileName), fs),
      albumLookup_("albumLookup", dir_, std::string(kAlbums.fileName), fs),
      currentAlbumTracks_("currentAlbumTracks", dir_, std::string(kTracks.fileName), fs),
      playlist_("playlist", dir_, std::string(kPlaylist.fileName), fs),
      artists_("artists", dir_, std::string(kArtists.fileName), fs),
      allTracks_("allTracks", dir_, std::string(kTracks.fileName), fs),
      tracksView_("tracksView", dir_, std::string(kTView.fileName), fs)
{
    albums_.setOrder("Artist");
    currentAlbumTracks_.setOrder("Tracks");
    currentAlbumTracks_.setMaster(albums_, "ID");
    playlist_.setOrder("Playlist");
    artists_.setOrder("ID");
    artists_.addLookup("Album", 50, albumLookup_, "ID", "Album");
    artists_.addLookup("Label", 55, albumLookup_, "ID", "Label");
    allTracks_.setOrder("Tracks");
    allTracks_.addLookup("album", 40, albumLookup_, "ID", "Album");
    allTracks_.addLookup("Artist", 40, albumLookup_, "ID", "Artist");
    tracksView_.setExclusive(true);
}

void Catalogue::status(const std::string& text) const
{
    if (status_)
        status_(text);
}

void Catalogue::notice(const std::string& text) const
{
    if (notice_)
        notice_(text);
}

void Catalogue::createMissingFilesAndOpenViews()
{
    const RunMark mark(dir_, fs_);
    const bool uncleanEnd = mark.present();
    mark.set();
    // Repairs first: rolling back opens the tables, which an empty file
    // would stop.
    CatalogueFileRepair(*this).run();
    RollbackJournal::recover(dir_, fs_, status_);
    CatalogueCreator(*this, uncleanEnd ? IndexCheck::Full : IndexCheck::Headers).run();
    opened_ = true;
}

void Catalogue::closeCleanly()
{
    for (TableView* v :
         {&albums_, &albumLookup_, &currentAlbumTracks_, &playlist_, &artists_, &allTracks_, &tracksView_})
        if (v->isOpen())
            v->cursor().table().flush();
    if (opened_)
        RunMark(dir_, fs_).clear();
}

std::string Catalogue::nextManualAlbumId()
{
    // With a filter on, the highest identifier could be hidden and handed
    // out twice.
    albumLookup_.setFiltered(false);
    albumLookup_.setOrder("ID");
    albumLookup_.open();
    return nextManualIdAfter(albumLookup_->last() ? albumLookup_->field("ID") : std::string());
}

bool Catalogue::isFileOpen(std::string_view fileName) const
{
    for (const TableView* v :
         {&albums_, &albumLookup_, &currentAlbumTracks_, &playlist_, &artists_, &allTracks_, &tracksView_})
        if (v->isOpen() && xbase::equalsNoCase(v->fileName(), fileName))
            return true;
    return false;
}

}  // namespace catalogue
