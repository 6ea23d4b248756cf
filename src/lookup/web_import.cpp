#include "lookup/web_import.h"

#include <algorithm>
#include <cctype>

#include "catalogue/album_codes.h"
#include "lookup/bar_code.h"
#include "lookup/pasted_entry_import.h"
#include "lookup/track_count_prompt.h"
#include "lookup/track_list_readers.h"

namespace lookup {
namespace {

const std::string kAddCaption = "Vinora - Add New Album to your Collection using website";
const std::string kUpdateCaption = "Update Tracks using website: ";

void emptyArtistAndAlbum(AlbumEntry& entry)
{
    entry.artist.clear();
    entry.album.clear();
}

}  // namespace

WebImport::WebImport(AlbumForm& form, common::Prompter& prompter, catalogue::Catalogue& catalogue,
                     common::ProgramState& state, MusicBrainzLookup* musicBrainz)
    : form_(form),
      prompter_(prompter),
      catalogue_(catalogue),
      state_(state),
      musicBrainz_(musicBrainz),
      mode_(form.mode())
{
    form_.setSource(catalogue::source::kOther);
    // A new album starts at revision 0; an album being modified keeps its.
    if (isNewAlbumMode(mode_)) {
        AlbumEntry entry = form_.entry();
        entry.revision.assign(1, '0');
        form_.setEntry(entry, mode_);
    }
}

std::string WebImport::caption() const
{
    const std::string tracks = std::to_string(form_.entry().tracks.size());
    std::string caption = mode_ == EditMode::Modify ? kUpdateCaption : kAddCaption;
    if (mode_ == EditMode::AddFromDrive)
        caption.append(" [").append(tracks).append(" tracks]");
    else if (mode_ == EditMode::Modify)
        caption.append(tracks).append(" tracks");
    return caption;
}

std::string WebImport::chooseSite(Site site)
{
    switch (site) {
    case Site::OnlineDatabase:
        form_.setSource(catalogue::source::kOnlineDatabase);
        return state_.settings.freedbUrl;
    case Site::AllMusicGuide:
        form_.setSource(catalogue::source::kAllMusicGuide);
        return state_.settings.amgUrl;
    case Site::Amazon:
        form_.setSource(catalogue::source::kAmazon);
        return state_.settings.amazonUrl;
    }
    return {};
}

std::string WebImport::chooseBarCodeSearch(std::string_view code)
{
    form_.setSource(catalogue::source::kBarcode);
    return barCodeSearchAddress(state_.settings.upcUrl, code);
}

WebImport::Outcome WebImport::takeMusicBrainzRelease(std::string_view code)
{
    std::string digits;
    std::copy_if(code.begin(), code.end(), std::back_inserter(digits),
                 [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    if (digits.empty()) {
        prompter_.error("Type or scan the bar code first, then click MusicBrainz.");
        return Outcome::KeepOpen;
    }
    const MusicBrainzAnswer answer = musicBrainz_->barcode(digits);
    switch (answer.ending) {
    case MusicBrainzAnswer::Ending::Cancelled:
        return Outcome::KeepOpen;
    case MusicBrainzAnswer::Ending::Failed:
        prompter_.error("MusicBrainz could not be asked about the bar code:\r" + answer.message);
        return Outcome::KeepOpen;
    case MusicBrainzAnswer::Ending::NotFound:
        prompter_.info("MusicBrainz knows no release with bar code " + digits + ".");
        return Outcome::KeepOpen;
    case MusicBrainzAnswer::Ending::Found:
        break;
    }
    musicBrainz_->fillForm(form_, answer.release, mode_, form_.entry());
    form_.selectArtistOnShow(false);
    if (!isNewAlbumMode(mode_))
        return Outcome::Accepted;
    return showForm();
}

std::vector<std::string> WebImport::lines(std::string_view text)
{
    std::vector<std::string> out;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        out.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return out;
}

WebImport::Outcome WebImport::takePastedText(std::string_view text)
{
    const std::vector<std::string> pasted = lines(text);
    if (pasted.size() < 2) {
        prompter_.error(kClipboardMessage);
        return Outcome::KeepOpen;
    }
    AlbumEntry entry = form_.entry();
    if (isNewAlbumMode(mode_))
        emptyArtistAndAlbum(entry);
    const bool catalogued = read(pasted, entry);
    form_.setEntry(entry, mode_);
    if (catalogued)
        return Outcome::Closed;
    // Updating titles: the form is open already.
    if (!isNewAlbumMode(mode_))
        return Outcome::Accepted;
    return showForm();
}

bool WebImport::read(const std::vector<std::string>& pasted, AlbumEntry& entry)
{
    TrackListResult result;
    switch (form_.source()) {
    case catalogue::source::kOnlineDatabase:
        return readPastedEntry(pasted, mode_, entry, state_.lookup, catalogue_,
                               [this](const std::string& message) { prompter_.error(message); });
    case catalogue::source::kAllMusicGuide:
        result = readTimedList(pasted, mode_, trackHasNoStoredLength(), entry);
        break;
    case catalogue::source::kAmazon:
        result = readContinuedList(pasted, mode_, entry);
        break;
    case catalogue::source::kBarcode:
        result = readRetailerPage(pasted, mode_, entry);
        break;
    default:
        result = readPlainList(pasted, mode_, entry);
        break;
    }
    for (const std::string& error : result.errors)
        prompter_.error(error);
    for (const std::string& notice : result.notices)
        prompter_.info(notice);
    if (result.askTrackCount)
        fillNumberedTracks(askTrackCount(prompter_), entry);
    form_.selectArtistOnShow(result.artistSelected);
    return false;
}

// Times from the page fill an album's lengths only where none was stored.
bool WebImport::trackHasNoStoredLength() const
{
    if (mode_ != EditMode::Modify || !catalogue_.currentAlbumTracks().isOpen())
        return false;
    const xbase::Cursor& tracks = catalogue_.currentAlbumTracks().cursor();
    return !tracks.eof() && tracks.fieldInt("Secs") == 0;
}

WebImport::Outcome WebImport::enterManually()
{
    AlbumEntry entry = form_.entry();
    entry.artist = kVariousArtist;
    entry.album.clear();
    form_.setSource(catalogue::source::kManual);
    if (mode_ == EditMode::AddOther)
        fillNumberedTracks(askTrackCount(prompter_), entry);
    form_.setEntry(entry, mode_);
    form_.selectArtistOnShow(true);
    return showForm();
}

WebImport::Outcome WebImport::showForm()
{
    const bool saved = form_.show();
    form_.selectArtistOnShow(false);
    return saved ? Outcome::Accepted : Outcome::Closed;
}

}  // namespace lookup
