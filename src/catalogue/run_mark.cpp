#include "catalogue/run_mark.h"

#include "catalogue/program_files.h"

namespace catalogue {

RunMark::RunMark(std::string programDir, xbase::FileSystem& fs)
    : dir_(std::move(programDir)), path_(joinPath(dir_, kFileName)), fs_(fs)
{
}

bool RunMark::present() const { return fs_.exists(path_); }

// Empty: only its name in the folder has to reach the disk.
void RunMark::set() const
{
    fs_.open(path_, xbase::OpenFlags::Create);
    syncDirectory(dir_);
}

void RunMark::clear() const
{
    if (!present())
        return;
    fs_.remove(path_);
    syncDirectory(dir_);
}

}  // namespace catalogue
