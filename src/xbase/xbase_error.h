#pragma once

#include <stdexcept>
#include <string>

namespace xbase {

// The one exception the engine throws for real failures: damaged or
// truncated files, I/O errors, refused opens, invalid expressions.
// The message names the file (when there is one) and what failed.
class XbaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace xbase
