#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "history/pricesource.h"

namespace veskplan {

// A kind of price source as the estimate's choices and the project file know it. A new kind is
// one class behind PriceSource and one entry in priceSourceKinds().
struct PriceSourceKind {
    QString word;         // the project file's row for a source of the kind: "history", "prices"
    QString label;        // how the estimate lists such a source: "Bid history", "Prices"
    QString dialogTitle;  // asking the user for one
    QString fileFilter;   // the file dialog's filter; empty for a source that is no file
    // Whether a location is this kind's (a server address's scheme, say); none takes every
    // location kept under its word.
    bool (*takes)(const QString& location) = nullptr;
    std::unique_ptr<PriceSource> (*open)(const QString& location) = nullptr;
};

// The `open` of a kind whose class reads a location given to its constructor.
template <typename Source>
std::unique_ptr<PriceSource> openAs(const QString& location) {
    return std::make_unique<Source>(location);
}

// Every kind, those that claim locations by their form first.
const std::vector<const PriceSourceKind*>& priceSourceKinds();
// The kind that reads a location kept under `word`; none for a word no kind keeps.
const PriceSourceKind* priceSourceKind(const QString& word, const QString& location);
// The source a project keeps as `word` and `location`, not read yet. Throws Error for a word no
// kind keeps.
std::unique_ptr<PriceSource> openPriceSource(const QString& word, const QString& location);

}  // namespace veskplan
