#include "playback/ui/mark_tracks.h"

#include <memory>

#include <QWidget>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "playback/marks_store.h"
#include "playback/ui/playlist_marking_dialog.h"

namespace playback::ui {

constexpr std::string_view kHelpPage = "CDhelp2.html#playlist";

void markTracks(catalogue::Catalogue& catalogue, common::Prompter& prompter, QWidget* parent, QWidget& tracksGrid,
                const std::function<void(std::string_view page)>& openPage)
{
    catalogue::TableView& albums = catalogue.albums();
    if (!albums.isOpen() || albums->eof())
        return;
    const std::string id = albums->field("ID");
    const QString title = common::fromAnsi(albums->fieldTrimmed("Album"));
    {
        // Hidden while the dialog is open, whatever ends it.
        tracksGrid.hide();
        const std::unique_ptr<QWidget, void (*)(QWidget*)> showAgain(&tracksGrid, [](QWidget* grid) { grid->show(); });
        MarksStore store(catalogue);
        PlaylistMarkingDialog dialog(
            store.load(id), title,
            [&](const PlaylistMarks& marks) { return common::runAction(prompter, [&] { store.save(id, marks); }); },
            [&] { openPage(kHelpPage); }, parent);
        dialog.exec();
    }
    if (catalogue.playlist().isOpen())
        catalogue.playlist()->table().flush();
}

}  // namespace playback::ui
