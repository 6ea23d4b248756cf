#include "maintenance_fixture.h"

#include <fstream>

#include "support/fixture_files.h"
#include "xbase/table.h"

namespace test_support {

MaintenanceFixture::MaintenanceFixture()
{
    copyFixtureSet("xbase/small", dir.path());
    std::ofstream(dir.file("Vinora.ini"), std::ios::binary) << "[Current]\r\nHost=gnudb.gnudb.org\r\n";
    catalogue.createMissingFilesAndOpenViews();
}

maintenance::LongStepRunner MaintenanceFixture::runner()
{
    return [this](const std::string& label, bool stoppable, const std::function<void(common::Progress&)>& step) {
        stepLabels.push_back(label);
        stepStoppable.push_back(stoppable);
        step(progress);
    };
}

std::map<std::string, int> MaintenanceFixture::rowsById(const std::string& fileName) const
{
    auto table = xbase::Table::open(dir.file(fileName), xbase::OpenMode::Shared);
    std::map<std::string, int> rows;
    for (std::uint32_t r = 1; r <= table->recordCount(); ++r)
        if (!table->isDeleted(r))
            ++rows[table->fieldText(table->record(r), table->fieldIndex("ID"))];
    return rows;
}

}  // namespace test_support
