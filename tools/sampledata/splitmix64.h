#pragma once

#include <QtGlobal>

namespace veskplan::sampledata {

// A small generator with a fixed algorithm: the large lists must come out byte for byte the same
// on every platform and library version, which std distributions do not promise.
class SplitMix64 {
public:
    explicit SplitMix64(quint64 seed) : state_(seed) {}

    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A value in [0, bound); bound must be positive. The slight bias of the multiply-shift
    // reduction does not matter for test data.
    quint32 below(quint32 bound) { return quint32(((next() >> 32) * bound) >> 32); }

private:
    quint64 state_;
};

}  // namespace veskplan::sampledata
