#include <QCoreApplication>

#include "cli/commandline.h"

int main(int argc, char** argv) {
    return veskplan::runCommandLine(argc, argv);
}
