#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QDialog>

#include "common/prompter.h"
#include "editing/notes_additions.h"

class QPlainTextEdit;
class QSpinBox;

namespace editing::ui {

// "Notes - Multi-line Edit": the album's notes as one text, with buttons
// that add the tagged lines NotesAdditions makes.
class NotesDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        // The track that extended data is for (0 for the first), or nothing.
        std::function<std::optional<std::size_t>()> chooseTrack;
        // Opens a help page.
        std::function<void(std::string_view)> openPage;
    };

    // `additions` and `prompter` must outlive this object.
    NotesDialog(NotesAdditions& additions, common::Prompter& prompter, Services services, QWidget* parent = nullptr);

    // Shows `notes` (Windows-1252, CR LF) modally; the edited notes after
    // OK, nothing after Cancel.
    std::optional<std::string> edit(std::string_view notes);

private:
    QWidget* buildTools();
    void addLine(const std::optional<std::string>& line);

    NotesAdditions& additions_;
    common::Prompter& prompter_;
    Services services_;
    QPlainTextEdit* notesEdit_;
    QSpinBox* fontSizeBox_;
};

}  // namespace editing::ui
