#include "xbase/file.h"

#include "xbase/xbase_error.h"

namespace xbase {

void File::readExact(std::uint64_t offset, void* buf, std::size_t n)
{
    if (readAt(offset, buf, n) != n)
        throw XbaseError(path() + ": unexpected end of file (wanted " + std::to_string(n) +
                         " bytes at offset " + std::to_string(offset) + ")");
}

}  // namespace xbase
