#include "common/product_version.h"

namespace common {

std::string_view productVersion() { return VINORA_VERSION; }

}  // namespace common
