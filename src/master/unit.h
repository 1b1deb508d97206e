#pragma once

namespace veskplan {

// The unit system of a master item list and of the project taken from it. The values are the
// positions in the unit selector, which project files store.
enum class Unit { English = 0, Metric = 1 };

// The unit of a selector position: position 0 is English, any other Metric.
inline Unit unitAt(int index) {
    return index == 0 ? Unit::English : Unit::Metric;
}

inline int indexOf(Unit unit) {
    return static_cast<int>(unit);
}

}  // namespace veskplan
