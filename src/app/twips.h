#pragma once

#include <QRect>

namespace veskplan {

// Window geometry is given in twips: 15 twips are one pixel at 96 dots per inch. Qt's logical
// pixels are 96-dpi pixels, so the screen scale is applied by Qt itself.
inline constexpr int twips(int value) {
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

}  // namespace veskplan
