#pragma once

#include <functional>
#include <string_view>

#include "catalogue/catalogue.h"
#include "common/prompter.h"

class QWidget;

namespace playback::ui {

// The main window's Playlist button: the marking dialog for the album
// current in albums (nothing when there is none). While it is open the
// main window's tracks grid (CDGrid) is hidden; afterwards PLAYLIST is
// flushed and the albums grid (AlbumsGrid) has the focus. Engine errors on
// OK are shown by `prompter` and keep the dialog open; errors while loading
// the lists are thrown (xbase::XbaseError).
void playListButtonClick(catalogue::Catalogue& catalogue, common::Prompter& prompter, QWidget* mainWindow,
                         const std::function<void(std::string_view page)>& openPage);

}  // namespace playback::ui
