#pragma once

#include "platform/zip_updater.h"

namespace platform {

// ZipUpdater through libzip. The new archive is made under the archive's
// name + ".new" (a copy of the old one, updated), synced, then renamed
// over it; such leftovers of an interrupted update are cleared first. A
// zero-length archive counts as missing; an unreadable one stays as it is.
class LibzipUpdater : public ZipUpdater {
public:
    bool update(const std::string& archivePath, const std::vector<ZipMember>& members,
                const ZipProgress& progress) override;
};

}  // namespace platform
