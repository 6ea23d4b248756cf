#include "reports/report_fixture.h"

#include "support/fixture_files.h"

namespace reports_test {

ReportFixture::ReportFixture()
    : albumsHistory_(dir_.path(), search::FilterHistory::Table::Albums),
      tracksHistory_(dir_.path(), search::FilterHistory::Table::Tracks), selection_(dir_.path())
{
    test_support::copyFixtureSet("xbase/medium", dir_.path());
}

void ReportFixture::dropFourthAlbumsTracks()
{
    xbase::Cursor tracks(xbase::Table::open(file("TRACKS.DBF"), xbase::OpenMode::Shared));
    tracks.setOrder("Tracks");
    while (tracks.seek("z0000006"))
        tracks.deleteRow();
}

void ReportFixture::select(const SelectionSettings& settings)
{
    ASSERT_EQ(selection_.prepare(settings, albumsHistory_, tracksHistory_), "");
}

}  // namespace reports_test
