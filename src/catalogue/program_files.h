#pragma once

#include <string>
#include <string_view>

// Files of the program directory, whose names are matched without regard to
// case (collections copied from other systems carry any spelling).
namespace catalogue {

// `name` inside `dir`.
std::string joinPath(const std::string& dir, std::string_view name);

// The path of the file in `dir` named `name` without regard to case (the
// exact spelling wins when several match); empty when there is none.
std::string findFileNoCase(const std::string& dir, std::string_view name);

// findFileNoCase(dir, name), or joinPath(dir, name) when there is none: where
// the file is, or where a new one goes.
std::string filePathNoCase(const std::string& dir, std::string_view name);

// Makes the folder's entries durable (files made, renamed or removed in it).
// Throws xbase::XbaseError naming the folder.
void syncDirectory(const std::string& dir);

// Deletes every file in `dir` named `name` without regard to case.
// Throws xbase::XbaseError naming the file when one cannot be deleted.
void removeFileNoCase(const std::string& dir, std::string_view name);

}  // namespace catalogue
