#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Units of quantities as take-off reports write them, and the exact factors between those that
// measure the same thing.
namespace veskplan::unitconversion {

// The unit's usual spelling: "SQ FT", "FT2" and "sf" are "SF", "LIN FT" is "LF", "m²" is "M2",
// "EA" is "EACH"; a unit not known is its text trimmed, in capitals, with single blanks.
QString canonical(QStringView unit);

// A factor as a fraction, so that 900 SF is exactly 100 SY.
struct Factor {
    qint64 numerator = 1;
    qint64 denominator = 1;
    double apply(double quantity) const;
};

// The factor from `from` to `to` (either spelling), nothing when they do not measure the same
// thing or no exact factor is known: a weight is never made from an area.
std::optional<Factor> factor(QStringView from, QStringView to);

}  // namespace veskplan::unitconversion
