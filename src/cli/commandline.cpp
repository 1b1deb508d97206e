#include "cli/commandline.h"

#include <cstdio>
#include <string_view>

namespace veskplan {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  veskplan-cli export trnsport|roadcad|bridgecad|tabfill PROJECT OUTPUT [--order primary|bridge]\n"
    "  veskplan-cli print PROJECT --pdf OUTPUT.pdf | --text OUTPUT.txt\n"
    "  veskplan-cli list PROJECT\n"
    "  veskplan-cli --help | --version\n";

}  // namespace

int runCommandLine(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("veskplan-cli %s\n", VESKPLAN_VERSION);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace veskplan
