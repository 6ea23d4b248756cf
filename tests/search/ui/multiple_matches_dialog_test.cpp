// The multiple-matches window: the chosen line's index, -1 for Cancel or
// OK without a choice; one window reused for every choice.
#include <gtest/gtest.h>

#include <QListWidget>

#include "search/ui/multiple_matches_dialog.h"
#include "support/modal_dialog.h"

namespace {

using Candidates = search::ui::MultipleMatchesDialog::Candidates;

class MultipleMatchesDialog : public testing::Test {
protected:
    // Shows `lines`; `inWindow` works the list and presses a button.
    int choose(const std::vector<std::string>& lines, const std::function<void(QListWidget&)>& inWindow,
               Candidates candidates = Candidates::CddbMatches)
    {
        test_support::whenModalShown([&](QWidget* modal) {
            EXPECT_EQ(modal, &dialog);
            auto* list = modal->findChild<QListWidget*>("CandidateList");
            ASSERT_NE(list, nullptr);
            shown.clear();
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            selectedAtStart = list->selectedItems().size();
            genreHeadingShown = modal->findChild<QWidget*>("GenreHeading")->isVisible();
            inWindow(*list);
            if (modal->isVisible())
                ADD_FAILURE() << "the window is still open";
        });
        return dialog.choose(lines, candidates);
    }
    void press(QDialogButtonBox::StandardButton button) { test_support::press(dialog, button); }

    QWidget mainWindow;
    search::ui::MultipleMatchesDialog dialog{mainWindow};
    QStringList shown;
    qsizetype selectedAtStart = -1;
    bool genreHeadingShown = false;
};

const std::vector<std::string> kMatches{"rock 1b038204 Pink Floyd / Animals", "misc 1b038204 Pink Floyd / Animals [live]",
                                        "blues 1b038204 Various / Bl\xfc" "ch"};

TEST_F(MultipleMatchesDialog, ShowsTheCallersLinesWithoutASystemMenu)
{
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    choose(kMatches, [&](QListWidget&) { press(QDialogButtonBox::Cancel); });
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown.at(0), "rock 1b038204 Pink Floyd / Animals");
    EXPECT_EQ(shown.at(2), QString::fromUtf8("blues 1b038204 Various / Bl\xc3\xbc" "ch"));
}

TEST_F(MultipleMatchesDialog, OkGivesTheSelectedLinesIndex)
{
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(1);
                  press(QDialogButtonBox::Ok);
              }),
              1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(0);
                  press(QDialogButtonBox::Ok);
              }),
              0);
}

TEST_F(MultipleMatchesDialog, CancelOrOkWithoutASelectionGivesMinusOne)
{
    EXPECT_EQ(choose(kMatches, [&](QListWidget&) { press(QDialogButtonBox::Ok); }), -1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(2);
                  press(QDialogButtonBox::Cancel);
              }),
              -1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(2);
                  dialog.reject();  // Escape
              }),
              -1);
    EXPECT_EQ(choose({}, [&](QListWidget&) { press(QDialogButtonBox::Ok); }), -1) << "an empty list is shown too";
}

TEST_F(MultipleMatchesDialog, ReuseShowsOnlyTheNewLinesWithNoneSelected)
{
    choose(kMatches, [&](QListWidget& list) {
        list.setCurrentRow(2);
        press(QDialogButtonBox::Ok);
    });
    EXPECT_EQ(choose({"jazz 0a0b0c0d Miles Davis / Kind of Blue"}, [&](QListWidget&) {
                  press(QDialogButtonBox::Ok);
              }),
              -1);
    EXPECT_EQ(shown, QStringList{"jazz 0a0b0c0d Miles Davis / Kind of Blue"});
    EXPECT_EQ(selectedAtStart, 0);

    // Releases have no category column; the next CDDB choice has it again.
    choose({"Various Artists / Late Roads (2003-06, GB)"}, [&](QListWidget&) { press(QDialogButtonBox::Cancel); },
           Candidates::MusicBrainzReleases);
    EXPECT_FALSE(genreHeadingShown);
    choose(kMatches, [&](QListWidget&) { press(QDialogButtonBox::Cancel); });
    EXPECT_TRUE(genreHeadingShown);
}

}  // namespace
