#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "history/bidwindow.h"
#include "history/costindex.h"
#include "history/pricesource.h"
#include "history/sessionpasswords.h"
#include "project/estimatesetup.h"

namespace veskplan {

struct PriceSourceReading;

// What an estimate prices from: what each of its price sources said of the project's items, in
// the user's order, and the cost index that escalates bids. Any of them may be missing.
struct PriceSources {
    // One source's answer, with the name it is known by.
    struct Answer {
        QString source;
        SourcePrices prices;

        // Takes in what the source said of more items; it is as of the later date.
        void merge(SourcePrices more);
    };
    std::vector<Answer> answers;
    CostIndex index;    // empty: bids are not escalated
    QString indexName;  // the index file's name, as the estimate names what escalated it

    // Asks `source` about the items (numbers as the project writes them); with a window, only
    // the bids it selects need come (the answer then serves that window alone). Throws Error
    // naming the source when it cannot answer.
    static Answer ask(PriceSource& source, const QStringList& itemNumbers,
                      const std::optional<BidWindow>& window = std::nullopt);
    // Reads the cost index file. Throws Error naming the file.
    void readIndex(const QString& indexPath);

    // Asks every source of a setup about the items and reads its index (none when empty); what
    // cannot be read is told in `failures`, and the rest is still read. Given `passwords`, a
    // server that wants a password not among them throws ServerLoginError, for the caller to
    // ask for it.
    static PriceSourceReading read(const std::vector<EstimateSetup::Source>& sources,
                                   const QString& indexPath, const QStringList& itemNumbers,
                                   const std::optional<BidWindow>& window = std::nullopt,
                                   SessionPasswords* passwords = nullptr);
    // The same, all or nothing: throws Error naming the first source or file that cannot be read.
    static PriceSources load(const std::vector<EstimateSetup::Source>& sources,
                             const QString& indexPath, const QStringList& itemNumbers,
                             const std::optional<BidWindow>& window = std::nullopt);
};

// What reading a setup gave: the sources opened, in the order of `prices.answers` (to be asked
// again about items added later), what they said, and why any could not be read.
struct PriceSourceReading {
    std::vector<std::unique_ptr<PriceSource>> opened;
    PriceSources prices;
    QStringList failures;  // one message each, naming the source or file
};

}  // namespace veskplan
