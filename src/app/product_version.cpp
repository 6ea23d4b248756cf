#include "app/product_version.h"

namespace app {

std::string_view productVersion() { return VINORA_VERSION; }

}  // namespace app
