#include "SatpassCommand.h"
#include "common/Version.h"

#include <iostream>

int main(int argc, char **argv)
{
    if (vm::printVersionIfAsked(argc, argv, "satpass"))
        return 0;
    std::vector<std::string> args(argv + 1, argv + argc);
    return vm::satpass::runSatpass(args, std::cout, std::cerr);
}
