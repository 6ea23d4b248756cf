// Windows-1252 <-> Unicode at the one place text changes encoding.
#include <gtest/gtest.h>

#include "common/ansi_text.h"

namespace {

TEST(AnsiText, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    bool lossy = true;
    EXPECT_EQ(common::toAnsi(common::fromAnsi(all), &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(AnsiText, TheWindowsLettersMapToTheirCharacters)
{
    EXPECT_EQ(common::fromAnsi("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(common::fromAnsi("Bj\xf6rk"), QString::fromUtf8("Bj\xc3\xb6rk"));
    EXPECT_EQ(common::fromAnsi("\x8a\x9f\x93x\x94"), QString::fromUtf8("\xc5\xa0\xc5\xb8\xe2\x80\x9cx\xe2\x80\x9d"));
    EXPECT_EQ(common::toAnsi(QString::fromUtf8("M\xc3\xb6tley Cr\xc3\xbc\x65 \xe2\x82\xac")),
              "M\xf6tley Cr\xfc\x65 \x80");
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    bool lossy = false;
    // A CJK character, a character beyond the BMP, and U+0080 (a C1 control
    // that byte 0x80 does not stand for).
    EXPECT_EQ(common::toAnsi(QString::fromUtf8("a\xe6\x97\xa5"
                                               "b\xf0\x9f\x8e\xb5"
                                               "c\xc2\x80"),
                             &lossy),
              "a?b?c?");
    EXPECT_TRUE(lossy);
}

TEST(AnsiText, MessagesAreReadAsUtf8WhenTheyAreValidUtf8)
{
    EXPECT_EQ(common::fromMessage("/home/j\xc3\xa9r\xc3\xb4me/ALBUMS.DBF: damaged"),
              QString::fromUtf8("/home/j\xc3\xa9r\xc3\xb4me/ALBUMS.DBF: damaged"));
    EXPECT_EQ(common::fromMessage("Could not find: Beyonc\xe9"), QString::fromUtf8("Could not find: Beyonc\xc3\xa9"));
}

}  // namespace
