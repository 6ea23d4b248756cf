#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vinora_dbf {

// Runs one inspector command (args[0] is the command name). Writes results
// to `out` and a message to `err`; returns the process exit code.
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vinora_dbf
