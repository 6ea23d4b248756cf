#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "common/progress.h"
#include "reports/record_selection.h"
#include "reports/selection_settings.h"
#include "search/filter_history.h"
#include "support/temp_dir.h"

namespace reports_test {

using reports::RecordSelection;
using reports::SelectionSettings;

// Stops when asked `allowed` times whether to.
class CancelAfter : public common::Progress {
public:
    explicit CancelAfter(std::size_t allowed) : allowed_(allowed) {}
    void advance(std::size_t done, std::size_t total) override
    {
        lastDone = done;
        lastTotal = total;
    }
    bool cancelRequested() const override { return asked_++ >= allowed_; }
    std::size_t lastDone = 0, lastTotal = 0;

private:
    std::size_t allowed_;
    mutable std::size_t asked_ = 0;
};

// A writable copy of the medium reference collection and a selection on it.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture();

    // Four albums of the collection: "&" in two artists and a label, a memo
    // with line breaks, an artist starting with a digit, and (after
    // dropFourthAlbumsTracks) an album without tracks.
    static constexpr const char* kFourAlbums =
        R"(ID = "z0000002" .OR. ID = "z0000003" .OR. ID = "z0000006" .OR. ID = "z0000019")";
    void dropFourthAlbumsTracks();

    // Prepares `settings`; fails the test when there is nothing to output.
    void select(const SelectionSettings& settings);
    std::string file(const std::string& name) const { return dir_.file(name); }

    test_support::TempDir dir_;
    search::FilterHistory albumsHistory_;
    search::FilterHistory tracksHistory_;
    RecordSelection selection_;
};

}  // namespace reports_test
