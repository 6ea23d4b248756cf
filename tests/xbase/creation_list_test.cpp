#include <gtest/gtest.h>

#include "xbase/field.h"
#include "xbase/xbase_error.h"

namespace {

TEST(CreationList, CatalogueListsParse)
{
    auto fields = xbase::parseCreationList(
        "Album,Char,50;Artist,Char,50;IX,Char,6;Genre,Char,10;YR,Char,4;ID,Char,8;Label,Char,55;"
        "Media,Char,2;Rev,Char,1;Sys,Char,1;Notes,Memo;");
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[0].name, "Album");
    EXPECT_EQ(fields[0].type, 'C');
    EXPECT_EQ(fields[0].length, 50);
    EXPECT_EQ(fields[10].type, 'M');
    EXPECT_EQ(fields[10].length, 10);
    EXPECT_EQ(xbase::parseCreationList("ID,Char,8;NR,Char,3").size(), 2u);  // last ';' optional
}

TEST(CreationList, BadEntriesAreRefusedWithTheEntryNamed)
{
    for (const char* bad : {"", "Album,Char;", "Album,Char,0;", "Album,Char,255;", "Album,Char,x;",
                            "Album,Float,5;", "1Album,Char,5;", "ABCDEFGHIJK,Char,5;", "A b,Char,5;",
                            "Album,Char,5;album,Char,6;"}) {
        try {
            xbase::parseCreationList(bad);
            ADD_FAILURE() << "accepted \"" << bad << "\"";
        } catch (const xbase::XbaseError& e) {
            EXPECT_FALSE(std::string(e.what()).empty());
        }
    }
}

}  // namespace
