// The multiple-matches window: the chosen line's index, -1 for Cancel or
// OK without a choice, in its return value and in the main window's
// request value; one window reused for every choice.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/ui/main_window_fixture.h"
#include "search/ui/multiple_matches_dialog.h"
#include "support/modal_dialog.h"

namespace {

using search::ui::MultipleMatchesDialog;

class MatchesWindow : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        matches = new MultipleMatchesDialog(*form, [this](int choice) { form->setRequest(choice); });
    }

    // Shows `lines`; `inWindow` works the list and presses a button.
    int choose(const std::vector<std::string>& lines, const std::function<void(QListWidget&)>& inWindow)
    {
        test_support::whenModalShown([&](QWidget* modal) {
            EXPECT_EQ(modal, matches);
            auto* list = modal->findChild<QListWidget*>("ListBox1");
            ASSERT_NE(list, nullptr);
            shown.clear();
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            selectedAtStart = list->selectedItems().size();
            inWindow(*list);
            if (modal->isVisible())
                ADD_FAILURE() << "the window is still open";
        });
        return matches->choose(lines);
    }
    void press(const char* button) { matches->findChild<QPushButton*>(button)->click(); }

    MultipleMatchesDialog* matches = nullptr;  // a child of the main window
    QStringList shown;
    qsizetype selectedAtStart = -1;
};

const std::vector<std::string> kMatches{"rock 1b038204 Pink Floyd / Animals", "misc 1b038204 Pink Floyd / Animals [live]",
                                        "blues 1b038204 Various / Bl\xfc" "ch"};

TEST_F(MatchesWindow, ShowsTheCallersLinesUnderItsHeadings)
{
    EXPECT_EQ(matches->windowTitle(), "Multiple Matches found - Select One or Cancel");
    EXPECT_EQ(matches->findChild<QLabel*>("GenreHeading")->text(), "Genre (Category)");
    EXPECT_EQ(matches->findChild<QLabel*>("AlbumHeading")->text(), "Artist / Album");
    EXPECT_FALSE(matches->windowFlags() & Qt::WindowCloseButtonHint);
    choose(kMatches, [&](QListWidget&) { press("CancelButton"); });
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown.at(0), "rock 1b038204 Pink Floyd / Animals");
    EXPECT_EQ(shown.at(2), QString::fromUtf8("blues 1b038204 Various / Bl\xc3\xbc" "ch"));
}

TEST_F(MatchesWindow, OkGivesTheSelectedLinesIndex)
{
    form->setRequest(7);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(1);
                  press("OKButton");
              }),
              1);
    EXPECT_EQ(form->request(), 1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(0);
                  press("OKButton");
              }),
              0);
}

TEST_F(MatchesWindow, CancelOrOkWithoutASelectionGivesMinusOne)
{
    EXPECT_EQ(choose(kMatches, [&](QListWidget&) { press("OKButton"); }), -1);
    EXPECT_EQ(form->request(), -1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(2);
                  press("CancelButton");
              }),
              -1);
    EXPECT_EQ(form->request(), -1);
    EXPECT_EQ(choose(kMatches, [&](QListWidget& list) {
                  list.setCurrentRow(2);
                  matches->reject();  // Escape
              }),
              -1);
    EXPECT_EQ(choose({}, [&](QListWidget&) { press("OKButton"); }), -1) << "an empty list is shown too";
}

TEST_F(MatchesWindow, ReuseShowsOnlyTheNewLinesWithNoneSelected)
{
    choose(kMatches, [&](QListWidget& list) {
        list.setCurrentRow(2);
        press("OKButton");
    });
    EXPECT_EQ(choose({"jazz 0a0b0c0d Miles Davis / Kind of Blue"}, [&](QListWidget&) { press("OKButton"); }), -1);
    EXPECT_EQ(shown, QStringList{"jazz 0a0b0c0d Miles Davis / Kind of Blue"});
    EXPECT_EQ(selectedAtStart, 0);
}

}  // namespace
