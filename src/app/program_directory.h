#pragma once

#include <string>
#include <string_view>

// Where the program keeps its files. The catalogue, Vinora.ini and the tips
// file live in the program directory, which is also the working directory
// (the table views name their files relative to it).
namespace app {

struct DirectoryInputs {
    std::string executableDir;  // folder of the running executable
    std::string vinoraHome;     // $VINORA_HOME, "" when unset
    std::string xdgDataHome;    // $XDG_DATA_HOME, "" when unset
    std::string home;           // $HOME
};

// The file that makes the executable's folder the program directory (a
// collection carried with the program).
inline constexpr std::string_view kPortableMarker = "vinora.portable";

// The inputs of this process: its environment and `executableDir`.
DirectoryInputs currentDirectoryInputs(const std::string& executableDir);

// With a trailing "/": $VINORA_HOME when set (made absolute); else the
// executable's folder when it holds the file "vinora.portable" or already
// holds a catalogue (ALBUMS.DBF, any case: a folder copied from elsewhere
// keeps working); else $XDG_DATA_HOME/vinora (an absolute $XDG_DATA_HOME
// only), else $HOME/.local/share/vinora. Being writable is no reason: a
// build folder is writable too, and goes when the build is cleaned.
std::string chooseProgramDirectory(const DirectoryInputs& inputs);

// When chooseProgramDirectory() took the executable's folder only because
// a catalogue is there, the text that tells the user where the collection
// is (to be shown once at start); "" otherwise.
std::string portableCollectionNotice(const DirectoryInputs& inputs);

// The folder of the files shipped with the program (help pages, tips):
// "data" beside the executable (a build tree), else "../share/vinora"
// (an installation); with a trailing "/", or "" when neither exists.
std::string shippedDataDirectory(const std::string& executableDir);

// Creates `dir` when missing and makes it the working directory.
// Throws xbase::XbaseError naming the directory when either fails.
void enterProgramDirectory(const std::string& dir);

}  // namespace app
