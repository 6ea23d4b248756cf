#pragma once

namespace app::ui {

// The main window's actions, each started from its controls. The window
// carries out its own (natural order, the tip of the day, help, exit);
// other parts of the program register the rest. A control whose feature
// has no handler registered stays disabled and says so in its tooltip.
enum class Feature {
    AddCd,
    AddOther,
    Modify,
    Delete,
    Playlist,
    Reindex,
    HomePage,
    NaturalOrder,
    FindCd,
    WebPage,
    AlbumCover,
    Options,
    TipOfTheDay,
    Help,
    TracksView,
    DetailView,
    ReportWriter,
    SetFilter,
    CancelFilter,
    Exit,
    Play,
    PlayFromTrack,
    TellFriend,
    ReportBug,
};

}  // namespace app::ui
