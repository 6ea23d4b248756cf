#include "catalogue/data_module.h"

#include "catalogue/album_codes.h"
#include "catalogue/catalogue_creator.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/file_repair.h"
#include "catalogue/rollback_journal.h"
#include "catalogue/run_mark.h"
#include "xbase/file_names.h"

namespace catalogue {

TDM::TDM(std::string programDir, xbase::FileSystem& fs)
    : dir_(std::move(programDir)),
      fs_(fs),
      tblAlbums_("tblAlbums", dir_, std::string(kAlbums.fileName), fs),
      tblFilter_("tblFilter", dir_, std::string(kAlbums.fileName), fs),
      tblTracks_("tblTracks", dir_, std::string(kTracks.fileName), fs),
      tblPlayList_("tblPlayList", dir_, std::string(kPlaylist.fileName), fs),
      tblArtists_("tblArtists", dir_, std::string(kArtists.fileName), fs),
      tblCD_("tblCD", dir_, std::string(kTracks.fileName), fs),
      tblTView_("tblTView", dir_, std::string(kTView.fileName), fs)
{
    tblAlbums_.setOrder("Artist");
    tblTracks_.setOrder("Tracks");
    tblTracks_.setMaster(tblAlbums_, "ID");
    tblPlayList_.setOrder("Playlist");
    tblArtists_.setOrder("ID");
    tblArtists_.addLookup("Album", 50, tblFilter_, "ID", "Album");
    tblArtists_.addLookup("Label", 55, tblFilter_, "ID", "Label");
    tblCD_.setOrder("Tracks");
    tblCD_.addLookup("album", 40, tblFilter_, "ID", "Album");
    tblCD_.addLookup("Artist", 40, tblFilter_, "ID", "Artist");
    tblTView_.setExclusive(true);
}

void TDM::status(const std::string& text) const
{
    if (status_)
        status_(text);
}

void TDM::notice(const std::string& text) const
{
    if (notice_)
        notice_(text);
}

void TDM::createMissingFilesAndOpenViews()
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

void TDM::closeCleanly()
{
    for (TableView* v : {&tblAlbums_, &tblFilter_, &tblTracks_, &tblPlayList_, &tblArtists_, &tblCD_, &tblTView_})
        if (v->isOpen())
            v->cursor().table().flush();
    if (opened_)
        RunMark(dir_, fs_).clear();
}

std::string TDM::nextManualAlbumId()
{
    // With a filter on, the highest identifier could be hidden and handed
    // out twice.
    tblFilter_.setFiltered(false);
    tblFilter_.setOrder("ID");
    tblFilter_.open();
    return nextManualIdAfter(tblFilter_->last() ? tblFilter_->field("ID") : std::string());
}

bool TDM::isFileOpen(std::string_view fileName) const
{
    for (const TableView* v : {&tblAlbums_, &tblFilter_, &tblTracks_, &tblPlayList_, &tblArtists_, &tblCD_, &tblTView_})
        if (v->isOpen() && xbase::equalsNoCase(v->fileName(), fileName))
            return true;
    return false;
}

}  // namespace catalogue
