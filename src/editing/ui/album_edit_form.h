#pragma once

#include "common/program_state.h"
#include "editing/ui/album_edit_dialog.h"
#include "lookup/album_form.h"

namespace editing::ui {

// The album edit dialog as the add flows and the web import fill and show
// it: every change goes into the dialog's controls at once, so the form an
// opener shows is the dialog as it stands.
class AlbumEditForm : public lookup::AlbumForm {
public:
    // Both must outlive this object.
    AlbumEditForm(AlbumEditDialog& dialog, const common::ProgramState& state) : dialog_(dialog), state_(state) {}

    void resetForNewEntry(lookup::EditMode mode) override;
    lookup::EditMode mode() const override { return dialog_.contents().mode; }
    lookup::AlbumEntry entry() const override;
    void setEntry(const lookup::AlbumEntry& entry, lookup::EditMode mode) override;
    char source() const override { return dialog_.contents().source; }
    void setSource(char source) override;
    void selectArtistOnShow(bool select) override { dialog_.selectArtistOnShow(select); }
    bool show() override { return dialog_.showModal(); }

private:
    AlbumEditDialog& dialog_;
    const common::ProgramState& state_;
};

}  // namespace editing::ui
