#pragma once

#include <vector>

#include "lookup/album_form.h"

namespace test_support {

// The edit form as a value: what openers put in it, and each showing.
class AlbumFormInMemory : public lookup::AlbumForm {
public:
    void resetForNewEntry(lookup::EditMode mode) override { mode_ = mode; }
    lookup::EditMode mode() const override { return mode_; }
    lookup::AlbumEntry entry() const override { return entry_; }
    void setEntry(const lookup::AlbumEntry& entry, lookup::EditMode mode) override
    {
        entry_ = entry;
        mode_ = mode;
    }
    char source() const override { return source_; }
    void setSource(char source) override { source_ = source; }
    void selectArtistOnShow(bool select) override { artistSelected_ = select; }
    // Records whether the artist was selected; answers `saves`.
    bool show() override
    {
        shownWithArtistSelected.push_back(artistSelected_);
        return saves;
    }

    lookup::EditMode mode_ = lookup::EditMode::AddOther;
    lookup::AlbumEntry entry_;
    char source_ = 'F';
    bool artistSelected_ = false;
    bool saves = true;
    std::vector<bool> shownWithArtistSelected;
};

}  // namespace test_support
