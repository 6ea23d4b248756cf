#include "lookup/cddb_commands.h"

#include "lookup/toc_arithmetic.h"

namespace lookup {

std::string cddbQueryCommand(std::string_view discId, const platform::DiscToc& toc)
{
    std::string command = "cddb query " + std::string(discId) + " " + std::to_string(toc.trackCount);
    for (const long offset : frameOffsets(toc))
        command += " " + std::to_string(offset);
    return command + " " + std::to_string(discLengthSeconds(toc));
}

std::string cddbReadCommand(std::string_view category, std::string_view discId)
{
    return "cddb read " + std::string(category) + " " + std::string(discId);
}

std::string cddbHttpTarget(std::string_view command, const CddbHello& hello)
{
    return "/~cddb/cddb.cgi?cmd=" + cddbQueryEncoded(command) + hello.httpParameters();
}

}  // namespace lookup
