// Index files we write walk the same in an independent xBase reader
// (Debian's Perl XBase::Index): every tag, after thousands of random
// appends, edits and deletes and after a pack.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "catalogue/catalogue_schema.h"
#include "dbf_commands.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/cursor.h"

namespace {

using test_support::runCapture;

const char kWalkScript[] =
    "use strict; use XBase::Index;\n"
    "my ($file, $tag) = @ARGV;\n"
    "my $idx = XBase::Index->new($file, 'tag' => $tag, 'type' => 'C') or die XBase::Index->errstr;\n"
    "$idx->prepare_select;\n"
    "while (my ($key, $val) = $idx->fetch) { print \"$val\\n\"; }\n";

// Record numbers of every entry of `tag`, in tag order, as the Perl reader walks them.
std::string perlWalk(const test_support::TempDir& dir, const std::string& cdx, const std::string& tag)
{
    std::ofstream(dir.file("walk.pl")) << kWalkScript;
    std::string stored = tag;  // the reader wants the name as stored: upper case
    for (char& c : stored)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int status = 0;
    std::string out = runCapture("/usr/bin/perl " + dir.file("walk.pl") + " " + cdx + " " + stored + " 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    return out;
}

// The same walk through our engine (deleted rows included).
std::string ourWalk(const std::string& dbf, const std::string& tag)
{
    std::ostringstream out, err;
    EXPECT_EQ(vinora_dbf::runCommand({"order", dbf, tag, "--deleted"}, out, err), 0) << err.str();
    std::istringstream in(out.str());
    std::string recnos;
    for (std::string line; std::getline(in, line);)
        recnos += line.substr(0, line.find('\t')) + "\n";
    return recnos;
}

std::string randomWords(std::mt19937& rng, int n)
{
    static const char* const words[] = {"Moon", "river", "Caf\xe9", "\xc9t\xe9", "abba", "ABBA", "Zoo", "", "night",
                                        "Blue", "Stra\xdf" "e", "Live", "a", "The", "Queensr\xff" "che"};
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::string(i ? " " : "") + words[rng() % std::size(words)];
    return s;
}

TEST(CdxIndependentReader, ReadsOurTagsAfterRandomChangesAndPack)
{
    test_support::TempDir dir;
    const std::string dbf = dir.file("ALBUMS.DBF");
    xbase::Table::create(dbf, xbase::parseCreationList(catalogue::kAlbums.creationList));
    {
        auto table = xbase::Table::open(dbf, xbase::OpenMode::Exclusive);
        xbase::CdxIndex& index = table->createIndex();
        for (const auto& tag : catalogue::kAlbums.tags)
            index.createTag(tag.name, tag.expression);
        xbase::Cursor c(table);
        std::mt19937 rng(11);
        for (int step = 0; step < 4000; ++step) {
            int action = static_cast<int>(rng() % 10);
            if (action < 6 || c.count() == 0) {
                c.append();
            } else {
                c.goToRow(static_cast<std::uint32_t>(rng() % c.count()));
                if (action == 9) {
                    c.deleteRow();
                    continue;
                }
                c.edit();
            }
            c.setField("Artist", randomWords(rng, 1 + static_cast<int>(rng() % 4)));
            c.setField("Album", randomWords(rng, 1 + static_cast<int>(rng() % 6)));
            c.setField("Label", randomWords(rng, static_cast<int>(rng() % 3)));
            c.setField("Genre", randomWords(rng, 1));
            char id[16];
            std::snprintf(id, sizeof id, "%08x", static_cast<unsigned>(rng()));
            c.setField("ID", id);
            c.post();
        }
        EXPECT_EQ(xbase::CdxChecker::check(*table->index()), std::vector<std::string>{});
        table->flush();
    }
    for (const auto& tag : catalogue::kAlbums.tags)
        EXPECT_EQ(perlWalk(dir, dir.file("ALBUMS.CDX"), std::string(tag.name)), ourWalk(dbf, std::string(tag.name)))
            << tag.name;
    {
        auto table = xbase::Table::open(dbf, xbase::OpenMode::Exclusive);
        table->pack();
        EXPECT_EQ(xbase::CdxChecker::check(*table->index()), std::vector<std::string>{});
    }
    for (const auto& tag : catalogue::kAlbums.tags)
        EXPECT_EQ(perlWalk(dir, dir.file("ALBUMS.CDX"), std::string(tag.name)), ourWalk(dbf, std::string(tag.name)))
            << tag.name << " after pack";
}

}  // namespace
