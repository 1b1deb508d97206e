#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "sampledata/sampledatatool.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream errors(stderr);
    return veskplan::sampledata::runTool(QCoreApplication::arguments().mid(1), errors);
}
