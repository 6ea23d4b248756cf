#pragma once

#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "maintenance/long_step_runner.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace test_support {

// What a long step was told and asked, run at once on the calling thread.
class RecordedProgress : public common::Progress {
public:
    void advance(std::size_t done, std::size_t total) override
    {
        last = {done, total};
        ++reports;
    }
    bool cancelRequested() const override { return cancel; }

    bool cancel = false;
    std::pair<std::size_t, std::size_t> last;
    int reports = 0;
};

// A copy of the small reference catalogue, opened as at start-up, with the
// user scripted and long steps run at once.
class MaintenanceFixture {
public:
    MaintenanceFixture();

    maintenance::LongStepRunner runner();
    // The live rows of a table file as "ID" -> count.
    std::map<std::string, int> rowsById(const std::string& fileName) const;

    TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    ScriptedPrompter prompter;
    RecordedProgress progress;
    std::vector<std::string> stepLabels;
    std::vector<bool> stepStoppable;
};

}  // namespace test_support
