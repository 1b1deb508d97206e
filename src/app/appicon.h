#pragma once

#include <QIcon>

namespace veskplan {

// The program's own icon: a road running into the distance on a dark-blue field, at the sizes
// the desktop asks for.
QIcon applicationIcon();

}  // namespace veskplan
