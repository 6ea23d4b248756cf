#include <iostream>

#include "dbf_commands.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return vinora_dbf::runCommand(args, std::cout, std::cerr);
}
