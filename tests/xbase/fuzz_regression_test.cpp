// Inputs the fuzz targets (fuzz/) found to crash or exhaust the engine, each
// kept as the case it broke. Long expressions are built by repetition: the
// loops below give the exact text that failed.
#include <gtest/gtest.h>

#include <string>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/expression.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::Expression;

// `part` written `count` times with `op` between.
std::string chain(const std::string& part, const std::string& op, int count)
{
    std::string text = part;
    for (int i = 1; i < count; ++i)
        text += op + part;
    return text;
}

class FuzzRegression : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        albums = xbase::Table::open(dir.file("ALBUMS.DBF"), xbase::OpenMode::Shared);
    }

    test_support::TempDir dir;
    std::shared_ptr<xbase::Table> albums;
};

// 2,100 parts of 2^20 characters each overflowed the int key width (undefined
// behaviour, then a negative width); 300 of them asked for a 300 MB key.
TEST_F(FuzzRegression, ConcatenationWidthIsCappedInsteadOfOverflowing)
{
    for (int parts : {300, 2100}) {
        Expression e = Expression::compile(chain("left(ID,9999999)", "+", parts), *albums);
        EXPECT_EQ(e.width(), 1 << 20) << parts;
        std::string key;
        e.evaluateKey(albums->record(1), key);
        ASSERT_EQ(key.size(), std::size_t(1) << 20);
        EXPECT_EQ(key.substr(0, 16), "7a0b3c0d7a0b3c0d");
        EXPECT_EQ(key.find_first_not_of(' ', 8 * std::size_t(parts)), std::string::npos);
    }
}

// "Notes+Notes+..." (680 parts, a 4 KB input) held every partial join, 1.1 GB
// for the 5,000-byte memo of record 9; the join is now built once.
TEST_F(FuzzRegression, LongMemoConcatenationIsJoinedOnce)
{
    const std::string memo = albums->memoText(albums->record(9), albums->fieldIndex("Notes"));
    ASSERT_EQ(memo.size(), 5000u);
    Expression e = Expression::compile(chain("Notes", "+", 2000), *albums);
    EXPECT_EQ(e.width(), 0);
    const std::string text = e.evaluateText(albums->record(9));
    ASSERT_EQ(text.size(), 2000 * memo.size());
    EXPECT_EQ(text.substr(0, memo.size()), memo);
    EXPECT_EQ(text.substr(1999 * memo.size()), memo);
    EXPECT_EQ(Expression::compile("(ID+Rev)+(Sys+ID)", *albums).evaluateText(albums->record(4)), "z0000001" +
              albums->fieldText(albums->record(4), albums->fieldIndex("Rev")) +
              albums->fieldText(albums->record(4), albums->fieldIndex("Sys")) + "z0000001");
}

// 100,000 joined fields overflowed the stack when the nested tree was
// freed; chains of other operators still nest and are refused past 1,000.
TEST_F(FuzzRegression, LongOperatorChainsDoNotOverflowTheStack)
{
    Expression joined = Expression::compile(chain("ID", "+", 100000), *albums);
    EXPECT_EQ(joined.evaluateText(albums->record(1)).size(), 800000u);

    for (const auto& [part, op] : {std::pair{"val(YR)", "+"}, {"val(YR)", "*"}, {"Rev='x'", " .OR. "},
                                   {"!empty(ID)", " AND "}}) {
        const std::string message = Expression::check(chain(part, op, 100000), *albums);
        EXPECT_NE(message.find("Expression nested too deeply at position"), std::string::npos) << part << message;
        Expression fits = Expression::compile(chain(part, op, 900), *albums);
        EXPECT_NO_THROW(fits.evaluateText(albums->record(1))) << part;
    }
}

}  // namespace
