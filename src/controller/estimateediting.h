#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <set>

#include "controller/busyindicator.h"
#include "controller/sourcereader.h"
#include "estimate/contingencyscale.h"
#include "estimate/estimate.h"
#include "estimate/estimatesettings.h"
#include "estimate/estimatetablemodel.h"
#include "estimate/pricesources.h"

namespace veskplan {

class FileDialogs;
struct PriceSourceKind;
class ProjectDocument;
class ServerLogins;
class UserPort;

// The engineer's estimate tool: where the prices come from (a bid history, published price
// files, a cost index), the window of bids, the estimate of the project as it stands, the prices
// the designer types, applies or clears, the percentages, and the estimate's workbook and PDF.
// Sources and window are the project's own (its estimate setup): each change is one step of the
// document's history, saved and recovered with the project. Files are read at once; a source on
// a server is read on a thread of its own, the estimate staying as it was until it has answered.
class EstimateEditing : public QObject {
    Q_OBJECT

public:
    // `logins` hold the passwords typed this session, shared with the other tools.
    EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                    BusyIndicator& busy, ServerLogins& logins, QDate today, QLocale locale,
                    QObject* parent = nullptr);
    // A tool alone, with passwords of its own.
    EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                    BusyIndicator& busy, QDate today, QLocale locale, QObject* parent = nullptr);
    ~EstimateEditing() override;

    const Estimate& estimate() const { return *estimate_; }
    EstimateTableModel& model() { return model_; }
    // The document's history, where every price change is a step.
    QUndoStack* undoStack() const;

    const EstimateSettings& settings() const { return settings_; }
    // Keeps the settings in the project, as one step; escalation needs a cost index.
    void setSettings(const EstimateSettings& settings);

    // The price sources read, in the order the estimate asks them, and the cost index.
    const std::vector<EstimateSetup::Source>& sources() const { return sourceList_; }
    const QString& indexFile() const { return indexFile_; }
    // Asks for a file and reads it; a file that cannot be read is told and nothing changes. A
    // bid history replaces the one chosen before; a price file comes after the sources there are.
    void chooseHistoryFile();
    void addPriceFile();
    void chooseIndexFile();
    // Reads the sources given (an empty list and text for none) and keeps them in the project;
    // false, told, when one cannot be read, and the sources stay as they were. Choosing a cost
    // index turns escalation on, dropping it turns it off. Sources on a server are kept once
    // they have answered (true meanwhile); a password the server wants is asked for once.
    bool useSources(std::vector<EstimateSetup::Source> sources, const QString& indexFile);

    // Whether sources on a server are being read.
    bool reading() const { return reader_.busy(); }
    // Gives up the reading under way: the estimate and the project stay as they were, and the
    // sources it was reading are not read again until they are chosen again.
    void cancelReading();

    // The bid history chosen in the File menu, `historyFile`, prices a project whose estimate has
    // none of its own; its bids are read again when the project's history is this one (after an
    // import into it, say). A project without an estimate setup takes the one it is priced with
    // now, as no step.
    void followHistory(const QString& historyFile);

    // The designer's price for a line, typed as the locale writes numbers; a text that is no
    // price is told and refused. An empty text clears the price.
    bool setTypedPrice(int line, const QString& text);
    // The designer's note on a line's price: it keeps a computed price as it stands; a line
    // without a price is told and refused.
    bool setNote(int line, const QString& text);
    void clearPrice(int line);
    // Stores the price the sources give the line, with its kind and evidence; false when they
    // give none.
    bool applyComputedPrice(int line);
    bool setMobilizationPercent(std::optional<double> percent);
    bool setContingencyPercent(std::optional<double> percent);
    // The project's milestone, one step; its contingency then follows the agency's `scale`
    // (from the program data) until the designer sets one.
    std::optional<Milestone> milestone() const;
    bool setMilestone(std::optional<Milestone> milestone);
    void setContingencyScale(ContingencyScale scale);

    // Asks for a file and writes the estimate to it; failures are told.
    void exportWorkbook();
    void exportPdf();
    EstimateTitle title() const;

Q_SIGNALS:
    // The estimate was computed again: prices, items, settings or sources changed.
    void estimateChanged();
    // Sources on a server started or stopped being read.
    void readingChanged(bool reading);

private:
    // With `logins` shared, or else `ownLogins`.
    EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                    BusyIndicator& busy, std::unique_ptr<ServerLogins> ownLogins,
                    ServerLogins* logins, QDate today, QLocale locale, QObject* parent);
    // Takes the settings and sources of the project's estimate setup, reading the files that
    // changed; a file that cannot be read is told, naming it.
    void followDocument();
    // The settings of the project's estimate setup, and the estimate computed with them.
    void showDocument();
    void recompute();
    // Whether the sources of `setup` are read and unchanged since.
    bool isRead(const EstimateSetup& setup) const;
    // Reads the sources of `setup` unless they are read and unchanged; false, told, when one
    // cannot be read. Nothing when they are being read on a thread: `later` runs with the
    // outcome once they have answered, or with false when the reading is given up.
    using Later = std::function<void(bool)>;
    std::optional<bool> readSources(const EstimateSetup& setup, bool allOrNothing, Later later);
    // Keeps what a reading of `setup` gave; false, told, when a source could not be read.
    bool take(const EstimateSetup& setup, const QStringList& numbers, const QDateTime& indexStamp,
              PriceSourceReading reading, const std::optional<BidWindow>& window,
              bool allOrNothing);
    // Asks for a source of `kind` and uses it, in place of those of its kind or after the rest.
    void chooseSource(const PriceSourceKind& kind, bool replace);
    // Asks for a file ending in `suffix` and writes the estimate to it with `write`.
    void exportTo(const QString& suffix, const QString& filter,
                  void (*write)(const Estimate&, const EstimateTitle&, const QString&));
    std::optional<QString> chooseFile(const QString& title, const QString& filter, bool save,
                                      const QString& proposal = QString());

    ProjectDocument& document_;
    FileDialogs& dialogs_;
    UserPort& port_;
    BusyIndicator& busy_;
    std::unique_ptr<ServerLogins> ownLogins_;
    ServerLogins& logins_;
    SourceReader reader_;
    Later pendingLater_;                    // the reading under way's
    EstimateSetup pendingSetup_;            // what it reads
    std::optional<EstimateSetup> givenUp_;  // not read again by itself
    QLocale locale_;
    QDate today_;
    EstimateSettings settings_;
    QString followedHistory_;  // the File menu's
    bool toldNothingSelected_ = false;
    std::vector<EstimateSetup::Source> sourceList_;
    std::vector<std::unique_ptr<PriceSource>> opened_;  // sourceList_'s, those that could open
    QString indexFile_;
    std::optional<QDateTime> indexStamp_;  // when the index file changed as read; none: unread
    PriceSources sources_;                 // what opened_ answered, in their order
    std::set<QString> numbersRead_;        // the items whose bids the sources hold
    // The window a server was asked for (it sent only the bids it selects); none: every bid.
    std::optional<BidWindow> windowRead_;
    std::unique_ptr<Estimate> estimate_;
    EstimateTableModel model_;
    ContingencyScale scale_;
};

}  // namespace veskplan
