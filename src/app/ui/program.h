#pragma once

#include <memory>

#include "app/program_state.h"
#include "app/single_instance.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box_prompter.h"
#include "catalogue/data_module.h"

namespace app::ui {

// The composition root: the program directory, the single-instance rule and
// the long-lived objects in their order (main window, then the data
// module). Requires: a QApplication exists.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Enters the program directory; when another start of the program runs
    // there, asks it to come to the front and returns false. Otherwise
    // makes the objects, shows the main window and returns true (the
    // start-up sequence follows when the window becomes active). Throws
    // xbase::XbaseError when the directory or the local socket fail.
    bool start();

    TForm1* mainWindow() const { return form_.get(); }

private:
    void registerWindows();

    ProgramState state_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<MessageBoxPrompter> prompter_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<catalogue::TDM> dm_;
};

}  // namespace app::ui
