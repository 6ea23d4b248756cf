#include "app/startup_sequence.h"

#include <algorithm>
#include <vector>

#include "app/tips_file.h"
#include "catalogue/program_files.h"
#include "common/trim_and_case.h"
#include "settings/settings_file.h"
#include "xbase/xbase_error.h"

namespace app {
namespace {

constexpr std::string_view kArtistOrder = "Artist";
constexpr std::string_view kIdOrder = "ID";

}  // namespace

void StartupSequence::run()
{
    if (state_.started)
        return;
    state_.started = true;

    // The target outlives this sequence; the catalogue keeps the report.
    catalogue_.setStatusReport([&target = target_](const std::string& text) { target.showStatus(text); });
    openCatalogue();

    lookup::DiscInDrive* drive = drive_;
    settings::SettingsFile file({state_.programDir, [drive] { return drive ? drive->firstDrive() : std::string(); }});
    state_.genres.clear();
    state_.official.clear();
    try {
        if (file.createIfMissing())
            installTipsFile(state_.dataDir, state_.programDir);
        state_.settings = file.read();
    } catch (const xbase::XbaseError& e) {
        prompter_.error(e.what() + std::string(kDefaultSettingsText));
        state_.settings = file.defaults();
    }
    target_.setCaption(std::string(kCaptionPrefix) + state_.settings.name);
    target_.setMaximized(state_.settings.startMaximized());
    target_.applyHints(state_.settings.hint);

    loadLists();

    const bool hasAlbums = catalogue_.albums()->count() > 0;
    target_.catalogueOpened(hasAlbums);
    target_.showStatus("");

    if (drive_) {
        if (!drive_->accessInstalled()) {
            prompter_.error(std::string(kCdAccessMissingText));
            target_.disableAddCd();
            return;
        }
        if (hasAlbums)
            makeDiscAlbumCurrent();
    }

    const auto tips = TipsFile::load(catalogue::joinPath(state_.programDir, TipsFile::kFileName));
    if (tips && tips->showAtStartup())
        target_.showTipOfTheDay();
    target_.finishStartup();
}

// What the catalogue has to tell comes from the thread of the long step and
// is shown once that step is over, even when it failed.
void StartupSequence::openCatalogue()
{
    std::vector<std::string> notices;
    catalogue_.setNoticeReport([&notices](const std::string& text) { notices.push_back(text); });
    const auto showNotices = [&] {
        catalogue_.setNoticeReport({});
        for (const std::string& text : notices)
            prompter_.info(text);
    };
    try {
        target_.runLongStep([this] { catalogue_.createMissingFilesAndOpenViews(); });
    } catch (...) {
        showNotices();
        throw;
    }
    showNotices();
}

void StartupSequence::loadLists()
{
    state_.genres = state_.settings.genres;
    state_.genresAtStart = state_.genres.size();
    std::stable_sort(state_.genres.begin(), state_.genres.end(), common::lessNoCase);
    state_.official = state_.settings.official;
    state_.media = state_.settings.media;
    if (state_.genres.empty() && categories_)
        requestCategories();
}

// The server's categories arrive after the sequence is over; genres saved
// meanwhile stay in the list, and only they make it grow past its start.
void StartupSequence::requestCategories()
{
    StartupTarget& target = target_;
    common::ProgramState& state = state_;
    categories_->requestCategories([&target](const std::string& text) { target.showStatus(text); },
                                   [&state](std::vector<std::string> categories) {
                                       state.genresAtStart = categories.size();
                                       for (const std::string& genre : state.genres)
                                           if (std::find(categories.begin(), categories.end(), genre) ==
                                               categories.end())
                                               categories.push_back(genre);
                                       std::stable_sort(categories.begin(), categories.end(), common::lessNoCase);
                                       state.genres = std::move(categories);
                                   });
}

void StartupSequence::makeDiscAlbumCurrent()
{
    const auto id = drive_->audioDiscId(state_.settings.cdPath);
    if (!id)
        return;
    state_.lookup.currentAlbumId = *id;
    xbase::Cursor& albums = catalogue_.albums().cursor();
    albums.setOrder(kIdOrder);
    // A short key seeks as a prefix: "" (an unreadable TOC) would find the
    // first identifier instead of nothing.
    const bool found = !id->empty() && albums.seek(*id);
    albums.setOrder(kArtistOrder);
    if (!found)
        albums.first();
}

}  // namespace app
