// The lines the notes editor's buttons add, from the user's answers.
#include <functional>

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "editing/notes_additions.h"
#include "support/scripted_prompter.h"

namespace {

using editing::NotesAdditions;
using test_support::ScriptedPrompter;

TEST(NotesAdditions, TextAnswersAddTheirTaggedLineOnlyWhenTheyCarrySomething)
{
    const struct {
        std::function<std::optional<std::string>(NotesAdditions&)> ask;
        std::optional<std::string> answer;
        std::string caption;
        std::optional<std::string> line;
    } cases[] = {
        {&NotesAdditions::albumExtension, " Live at home", "Extended Data For Disc", "EXTD= Live at home"},
        {&NotesAdditions::albumExtension, "   ", "Extended Data For Disc", std::nullopt},
        {&NotesAdditions::albumExtension, std::nullopt, "Extended Data For Disc", std::nullopt},
        {[](NotesAdditions& a) { return a.trackExtension(2); }, "Guest: X\\n", "Extended Data For Track   3",
         "EXTT2=Guest: X\\n"},
        {[](NotesAdditions& a) { return a.trackExtension(11); }, "y", "Extended Data For Track  12", "EXTT11=y"},
        {[](NotesAdditions& a) { return a.trackExtension(0); }, " ", "Extended Data For Track   1", std::nullopt},
        {&NotesAdditions::website, "http://a", "URL or Document", "URL=http://a"},
        {&NotesAdditions::website, "http://", "URL or Document", std::nullopt},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        NotesAdditions additions(prompter);
        prompter.answerText(c.answer);
        EXPECT_EQ(c.ask(additions), c.line) << c.caption << " / " << c.answer.value_or("(cancelled)");
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::AskText), std::vector<std::string>{c.caption});
    }
}

TEST(NotesAdditions, CoverImageStoresThePathInCatalogueTextAndCancelAddsNothing)
{
    ScriptedPrompter prompter;
    NotesAdditions additions(prompter);
    prompter.answerFiles({"/home/ann/Pictures/Caf\u00e9 cover.JPG"});
    EXPECT_EQ(additions.coverImage(), "COVER=/home/ann/Pictures/Caf\xE9 cover.JPG");
    prompter.answerFiles({});
    EXPECT_EQ(additions.coverImage(), std::nullopt);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::ChooseFiles).size(), 2u);
}

TEST(NotesAdditions, ImageFilterTakesEveryPictureExtensionInAnyCase)
{
    const QString filter = QString::fromStdString(NotesAdditions::imageFilters().front());
    const QString inside = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
    const auto matches = [&](const QString& name) {
        for (const QString& pattern : inside.split(' '))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
                return true;
        return false;
    };
    for (const char* name : {"a.jpg", "b.JPEG", "c.Jpe", "d.png", "e.PNG", "f.Gif", "g.bmp", "h.BMP"})
        EXPECT_TRUE(matches(name)) << name;
    for (const char* name : {"a.txt", "b.pngx", "jpg"})
        EXPECT_FALSE(matches(name)) << name;
}

}  // namespace
