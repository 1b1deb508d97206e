// Feeds arbitrary bytes to the configuration reader as the start-up does. What it reads must
// come back unchanged when the file the program writes at exit is read again.

#include "fuzztarget.h"

#include "base/configfile.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(configfile) {
    const Configuration defaults{u"/default/master"_s, u"/default/trnsport"_s, u"/default/last"_s};
    const InputFile input(bytes, u"veskplan.ini"_s);
    const ConfigFile::ReadResult read = ConfigFile(input.path()).read(defaults);
    require(read.existed, "the file is there");
    if (read.warning) {
        require(read.warning->contains(QDir::toNativeSeparators(input.path())),
                "a warning names the file");
        return 0;
    }
    const InputFile again(ConfigFile::render(read.values), u"again.ini"_s);
    const ConfigFile::ReadResult reread = ConfigFile(again.path()).read(defaults);
    require(!reread.warning && reread.values == read.values,
            "the file written at exit gives the same values");
    return int(read.values.mastDir != defaults.mastDir) +
           int(read.values.tsptDir != defaults.tsptDir) +
           int(read.values.lastDir != defaults.lastDir);
}
