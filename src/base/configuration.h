#pragma once

#include <QString>

namespace veskplan {

// The three directories the configuration file carries, kept without a trailing separator.
struct Configuration {
    QString mastDir;  // master item lists
    QString tsptDir;  // one sub-directory per letting month for Trns*Port files
    QString lastDir;  // start directory of the project file dialogs

    bool operator==(const Configuration&) const = default;
};

}  // namespace veskplan
