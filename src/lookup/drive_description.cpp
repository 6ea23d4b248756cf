#include "lookup/drive_description.h"

#include <cstdio>

namespace lookup {

std::string driveDescription(const platform::CdRomDrive& drive)
{
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "(%.2d:%.2d:%.2d)", drive.hostAdapter, drive.target, drive.lun);
    return std::string(numbers) + " " + drive.vendor + " " + drive.product + " " + drive.revision;
}

}  // namespace lookup
