#pragma once

namespace app::ui {

// The main window's actions that other parts of the program carry out. A
// control whose feature has no handler registered stays disabled and says
// so in its tooltip.
enum class Feature {
    AddCd,
    AddOther,
    Modify,
    Delete,
    Playlist,
    Reindex,
    HomePage,
    FindCd,
    WebPage,
    AlbumCover,
    Options,
    TracksView,
    DetailView,
    ReportWriter,
    SetFilter,
    CancelFilter,
    Play,
    PlayFromTrack,
    TellFriend,
    ReportBug,
};

}  // namespace app::ui
