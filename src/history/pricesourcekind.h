#pragma once

#include <QString>
#include <memory>
#include <type_traits>
#include <vector>

#include "history/pricesource.h"
#include "history/sessionpasswords.h"

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
    // Opens a location; `passwords` are what the user typed this session, for a source that
    // logs in.
    std::unique_ptr<PriceSource> (*open)(const QString& location,
                                         SessionPasswords* passwords) = nullptr;
};

// The `open` of a kind whose class reads a location given to its constructor (with the
// session's passwords, when it takes them).
template <typename Source>
std::unique_ptr<PriceSource> openAs(const QString& location, SessionPasswords* passwords) {
    if constexpr (std::is_constructible_v<Source, QString, SessionPasswords*>) {
        return std::make_unique<Source>(location, passwords);
    } else {
        return std::make_unique<Source>(location);
    }
}

// Every kind, those that claim locations by their form first.
const std::vector<const PriceSourceKind*>& priceSourceKinds();
// The kind that reads a location kept under `word`; none for a word no kind keeps.
const PriceSourceKind* priceSourceKind(const QString& word, const QString& location);
// The source a project keeps as `word` and `location`, not read yet. Throws Error for a word no
// kind keeps.
std::unique_ptr<PriceSource> openPriceSource(const QString& word, const QString& location,
                                             SessionPasswords* passwords = nullptr);

}  // namespace veskplan
