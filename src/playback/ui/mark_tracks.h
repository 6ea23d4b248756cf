#pragma once

#include <functional>
#include <string_view>

#include "catalogue/catalogue.h"
#include "common/prompter.h"

class QWidget;

namespace playback::ui {

// The main window's Playlist button: the marking dialog, over `parent`, for
// the album current in albums (nothing when there is none). `tracksGrid`,
// the main window's grid of the album's tracks, is hidden while the dialog
// is open; afterwards PLAYLIST is flushed. Engine errors on OK are shown by
// `prompter` and keep the dialog open; errors while loading the lists are
// thrown (xbase::XbaseError).
void markTracks(catalogue::Catalogue& catalogue, common::Prompter& prompter, QWidget* parent, QWidget& tracksGrid,
                const std::function<void(std::string_view page)>& openPage);

}  // namespace playback::ui
