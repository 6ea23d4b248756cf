#include "editing/album_edit_flow.h"

#include <algorithm>

#include "common/trim_and_case.h"
#include "editing/album_rows.h"
#include "editing/edit_form_texts.h"
#include "editing/multi_artist.h"
#include "settings/settings_file.h"
#include "xbase/xbase_error.h"

namespace editing {
namespace {

constexpr std::string_view kStandardSeparator = " / ";

bool blank(std::string_view text) { return common::trimmed(text).empty(); }

// On the first row of `id`, or where it was when there is none.
void standOnAlbum(catalogue::TableView& view, const std::string& id)
{
    if (!view.isOpen())
        return;
    xbase::Cursor& cursor = view.cursor();
    const std::uint32_t before = cursor.eof() ? 0 : cursor.recno();
    if (!cursor.seek(idKey(id)) && before != 0)
        cursor.goToRecord(before);
}

}  // namespace

bool AlbumEditFlow::ok(const AlbumFormData& data)
{
    if (blank(data.artist) || blank(data.album) || blank(data.genre)) {
        prompter_.error(std::string(kRequiredText));
        return false;
    }
    if (isVarious(data.artist) && data.source != catalogue::source::kAllMusicGuide) {
        const std::string firstTitle = data.tracks.empty() ? std::string() : data.tracks.front().title;
        if (firstTitle.find(kStandardSeparator) == std::string::npos &&
            !prompter_.confirm(std::string(kFormatQuestion), common::Prompter::Buttons::YesNo))
            return false;
    }
    if (data.mode == lookup::EditMode::Modify)
        state_.lookup.currentAlbumId = data.albumId;

    const SaveResult result = AlbumSaver(catalogue_).save(data, state_.lookup.currentAlbumId);
    if (result.status != SaveResult::Status::Saved) {
        report(result);
        return false;
    }
    keepGenre(common::lowerAscii(common::trimmed(data.genre)));
    return true;
}

void AlbumEditFlow::report(const SaveResult& result)
{
    switch (result.status) {
    case SaveResult::Status::Saved:
        return;
    case SaveResult::Status::DuplicateId:
        prompter_.error(std::string(kDuplicateIdStart) + result.id + std::string(kDuplicateIdEnd));
        return;
    case SaveResult::Status::NoId:
        prompter_.error(std::string(kNoIdText));
        return;
    case SaveResult::Status::NotSaved:
        prompter_.error(std::string(kNotSavedStart) + result.error + std::string(kNotSavedEnd));
        return;
    case SaveResult::Status::NotUndone:
        prompter_.error(std::string(kNotSavedStart) + result.error + std::string(kNotUndoneMiddle) + result.undoError +
                        std::string(kNotUndoneEnd));
        return;
    }
}

void AlbumEditFlow::keepGenre(const std::string& genre)
{
    std::vector<std::string>& genres = state_.genres;
    if (std::none_of(genres.begin(), genres.end(),
                     [&](const std::string& g) { return common::equalsNoCase(g, genre); }))
        genres.insert(std::upper_bound(genres.begin(), genres.end(), genre, common::lessNoCase), genre);
    if (genre == state_.settings.genre)
        return;
    try {
        settings::SettingsFile({state_.programDir, [] { return std::string(); }})
            .writeString(settings::section::kCurrent, settings::key::kGenre, genre);
        state_.settings.genre = genre;
    } catch (const xbase::XbaseError& e) {
        // The album is saved; only the default genre is not.
        prompter_.error(e.what());
    }
}

void AlbumEditFlow::close()
{
    state_.lookup.runningSeconds = 0;
    if (!catalogue_.albums().isOpen())
        return;
    catalogue_.currentAlbumTracks().open();
    if (catalogue_.albums()->eof())
        return;
    const std::string id = catalogue_.albums()->fieldTrimmed("ID");
    for (catalogue::TableView* view :
         {&catalogue_.currentAlbumTracks(), &catalogue_.allTracks(), &catalogue_.playlist()})
        standOnAlbum(*view, id);
}

}  // namespace editing
