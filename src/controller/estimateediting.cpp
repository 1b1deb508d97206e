#include "controller/estimateediting.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "base/error.h"
#include "base/filestamp.h"
#include "base/texts.h"
#include "controller/busycursor.h"
#include "controller/filedialogs.h"
#include "controller/serverlogins.h"
#include "controller/userport.h"
#include "estimate/estimatebuilder.h"
#include "estimate/estimatepdf.h"
#include "estimate/estimateworkbook.h"
#include "history/bidhistorysource.h"
#include "history/pricefilesource.h"
#include "history/pricesourcekind.h"
#include "project/projectdocument.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

// A source that is no file (a server's history) is read on a thread: it may keep the window
// waiting for as long as the connection's timeout.
bool isRemote(const PriceSourceKind& kind) {
    return kind.fileFilter.isEmpty();
}

bool readsRemotely(const EstimateSetup& setup) {
    return std::any_of(setup.sources.begin(), setup.sources.end(), [](const auto& source) {
        const PriceSourceKind* kind = priceSourceKind(source.kind, source.location);
        return kind && isRemote(*kind);
    });
}

// What a server is asked to select for the setup: its letting dates, region and bids, not how
// the prices are brought to the estimate date.
BidWindow selectionOf(const EstimateSetup& setup, const QDate& today) {
    const BidWindow window = settingsOf(setup, today).window;
    return BidWindow{window.from, window.to, window.region, window.bids, false, QDate()};
}

QStringList itemNumbers(const ProjectDocument& document) {
    QStringList numbers;
    for (const ProjectRecord& record : document.items().records(IndexOrder::PrimaryKey)) {
        numbers.append(priceKey(record.itemNumber));
    }
    numbers.removeDuplicates();
    return numbers;
}

}  // namespace

EstimateEditing::EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                                 BusyIndicator& busy, ServerLogins& logins, QDate today,
                                 QLocale locale, QObject* parent)
    : EstimateEditing(document, dialogs, port, busy, nullptr, &logins, today, std::move(locale),
                      parent) {}

EstimateEditing::EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                                 BusyIndicator& busy, QDate today, QLocale locale, QObject* parent)
    : EstimateEditing(document, dialogs, port, busy, std::make_unique<ServerLogins>(port), nullptr,
                      today, std::move(locale), parent) {}

EstimateEditing::EstimateEditing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                                 BusyIndicator& busy, std::unique_ptr<ServerLogins> ownLogins,
                                 ServerLogins* logins, QDate today, QLocale locale, QObject* parent)
    : QObject(parent),
      document_(document),
      dialogs_(dialogs),
      port_(port),
      busy_(busy),
      ownLogins_(std::move(ownLogins)),
      logins_(logins ? *logins : *ownLogins_),
      reader_(logins_.passwords()),
      locale_(locale),
      today_(today),
      settings_(EstimateSettings::standard(today)),
      model_(locale) {
    model_.setLineEditor([this](int line, EstimateTableModel::Column column, const QString& text) {
        return column == EstimateTableModel::NoteColumn ? setNote(line, text)
                                                        : setTypedPrice(line, text);
    });
    connect(&document_, &ProjectDocument::pricesChanged, this, &EstimateEditing::followDocument);
    connect(&document_, &ProjectDocument::categoriesChanged, this, &EstimateEditing::recompute);
    connect(&document_, &ProjectDocument::itemTouched, this, &EstimateEditing::recompute);
    connect(&reader_, &SourceReader::busyChanged, this, &EstimateEditing::readingChanged);
    followDocument();
}

EstimateEditing::~EstimateEditing() = default;

QUndoStack* EstimateEditing::undoStack() const {
    return &document_.undoStack();
}

void EstimateEditing::followDocument() {
    const EstimateSetup& setup = document_.prices().estimateSetup();
    if (setup.isEmpty() && !followedHistory_.isEmpty()) {
        // Adopting comes back here with the setup taken.
        EstimateSetup adopted;
        adopted.sources = {{BidHistorySource::sourceKind().word, followedHistory_}};
        document_.adoptEstimateSetup(withSettings(adopted, EstimateSettings::standard(today_)));
        return;
    }
    // A reading under way follows the document once it ends; one given up waits for a choice.
    if (!reader_.busy() && givenUp_ != setup) {
        readSources(setup, false, [this](bool) { followDocument(); });
    }
    showDocument();
}

void EstimateEditing::showDocument() {
    settings_ = settingsOf(document_.prices().estimateSetup(), today_);
    settings_.window.escalate = settings_.window.escalate && !sources_.index.isEmpty();
    recompute();
}

bool EstimateEditing::isRead(const EstimateSetup& setup) const {
    // A source is read again when it changed since: bids imported by another program count, and
    // a file gone is told. A server sent the bids of one window: another window reads again.
    return indexStamp_ == fileStamp(setup.indexFile) && setup.sources == sourceList_ &&
           setup.indexFile == indexFile_ &&
           (!readsRemotely(setup) || windowRead_ == selectionOf(setup, today_)) &&
           std::none_of(opened_.begin(), opened_.end(),
                        [](const auto& source) { return source->changedSinceRead(); });
}

std::optional<bool> EstimateEditing::readSources(const EstimateSetup& setup, bool allOrNothing,
                                                 Later later) {
    if (isRead(setup)) {
        return true;
    }
    const QDateTime indexStamp = fileStamp(setup.indexFile);
    const QStringList numbers = itemNumbers(document_);
    if (!readsRemotely(setup)) {
        BusyCursor busy(busy_);
        return take(setup, numbers, indexStamp,
                    PriceSources::read(setup.sources, setup.indexFile, numbers), std::nullopt,
                    allOrNothing);
    }
    // A reading given up for this one says nothing; its sources are not read again by
    // themselves.
    if (reader_.busy()) {
        cancelReading();
    }
    pendingSetup_ = setup;
    pendingLater_ = std::move(later);
    const BidWindow window = selectionOf(setup, today_);
    reader_.start(
        setup.sources, setup.indexFile, numbers, window,
        [this, setup, numbers, indexStamp, window, allOrNothing](SourceReader::Outcome outcome) {
            Later then = std::exchange(pendingLater_, {});
            if (outcome.login) {
                // Asked once: the password typed is kept for the session.
                if (logins_.answer(*outcome.login)) {
                    if (const std::optional<bool> read = readSources(setup, allOrNothing, then)) {
                        then(*read);
                    }
                    return;
                }
                givenUp_ = setup;
                then(false);
                return;
            }
            then(take(setup, numbers, indexStamp, std::move(*outcome.reading), window,
                      allOrNothing));
        });
    return std::nullopt;
}

void EstimateEditing::cancelReading() {
    if (!reader_.busy()) {
        return;
    }
    givenUp_ = pendingSetup_;
    reader_.cancel();
    if (Later then = std::exchange(pendingLater_, {})) {
        then(false);
    }
}

bool EstimateEditing::take(const EstimateSetup& setup, const QStringList& numbers,
                           const QDateTime& indexStamp, PriceSourceReading reading,
                           const std::optional<BidWindow>& window, bool allOrNothing) {
    const QStringList failures = reading.failures;
    if (!failures.isEmpty()) {
        port_.warn(failures.join(u'\n'));
        if (allOrNothing) {
            return false;
        }
    }
    opened_ = std::move(reading.opened);
    sources_ = std::move(reading.prices);
    sourceList_ = setup.sources;
    indexFile_ = setup.indexFile;
    indexStamp_ = indexStamp;
    numbersRead_ = std::set<QString>(numbers.begin(), numbers.end());
    windowRead_ = window;
    return failures.isEmpty();
}

void EstimateEditing::recompute() {
    const std::vector<ProjectRecord> items = document_.items().records(IndexOrder::PrimaryKey);
    // Items added since the sources were read bring their prices along.
    QStringList missing;
    for (const ProjectRecord& item : items) {
        const QString number = priceKey(item.itemNumber);
        if (!numbersRead_.contains(number)) {
            missing.append(number);
        }
    }
    bool remote = false;
    if (!missing.isEmpty()) {
        for (size_t i = 0; i < opened_.size(); ++i) {
            remote = remote || isRemote(opened_[i]->kind());
            try {
                if (!isRemote(opened_[i]->kind())) {
                    sources_.answers[i].merge(PriceSources::ask(*opened_[i], missing).prices);
                }
            } catch (const Error& error) {
                port_.warn(error.message());
            }
        }
        if (!remote) {
            numbersRead_.insert(missing.begin(), missing.end());
        }
    }
    // A server is asked about the items added on a thread, with the rest, and answers later.
    const EstimateSetup& setup = document_.prices().estimateSetup();
    if (remote && !reader_.busy() && givenUp_ != setup) {
        indexStamp_.reset();
        readSources(setup, false, [this](bool) { followDocument(); });
    }
    auto next = std::make_unique<Estimate>(estimatebuilder::build(
        items, document_.categories(), scale_.applyTo(document_.prices()), sources_, settings_));
    model_.setEstimate(next.get());
    estimate_ = std::move(next);
    Q_EMIT estimateChanged();
    // Said once for each window that selects nothing, not at every price typed meanwhile.
    if (estimate_->windowSelectsNothing && !toldNothingSelected_) {
        port_.warn(noBidInWindow(settings_));
    }
    toldNothingSelected_ = estimate_->windowSelectsNothing;
}

void EstimateEditing::setSettings(const EstimateSettings& settings) {
    EstimateSettings kept = settings;
    kept.window.escalate = settings.window.escalate && !sources_.index.isEmpty();
    document_.setEstimateSetup(withSettings(document_.prices().estimateSetup(), kept));
}

bool EstimateEditing::useSources(std::vector<EstimateSetup::Source> sources,
                                 const QString& indexFile) {
    EstimateSetup setup = withSettings(document_.prices().estimateSetup(), settings_);
    setup.sources = std::move(sources);
    setup.indexFile = indexFile;
    setup.escalate = !indexFile.isEmpty() && (setup.escalate || indexFile != indexFile_);
    // Sources chosen again are read again, whatever their time stamps say.
    givenUp_.reset();
    const std::optional<QDateTime> stamp = std::exchange(indexStamp_, std::nullopt);
    const auto use = [this, setup, stamp](bool read) {
        if (!read) {
            indexStamp_ = stamp;
            return false;
        }
        if (setup == document_.prices().estimateSetup()) {
            followDocument();
        } else {
            document_.setEstimateSetup(setup);
        }
        return true;
    };
    const std::optional<bool> read = readSources(setup, true, use);
    return read ? use(*read) : true;
}

void EstimateEditing::followHistory(const QString& historyFile) {
    // Until bids are imported into it, the File menu's history is no file to price from.
    const PriceSourceKind* kind = priceSourceKind(BidHistorySource::sourceKind().word, historyFile);
    const bool usable = QFileInfo::exists(historyFile) || (kind && isRemote(*kind));
    const QString before = std::exchange(followedHistory_, usable ? historyFile : QString());
    const EstimateSetup& setup = document_.prices().estimateSetup();
    if (setup.isEmpty()) {
        followDocument();
        return;
    }
    std::vector<EstimateSetup::Source> sources = setup.sources;
    const auto followed = std::find_if(sources.begin(), sources.end(), [](const auto& source) {
        return source.kind == BidHistorySource::sourceKind().word;
    });
    if (!followedHistory_.isEmpty() && followed != sources.end() &&
        (followed->location == historyFile || followed->location == before)) {
        // The history it follows was imported into or changed: its bids are read again.
        followed->location = historyFile;
        useSources(std::move(sources), setup.indexFile);
    }
}

std::optional<QString> EstimateEditing::chooseFile(const QString& title, const QString& filter,
                                                   bool save, const QString& proposal) {
    FileDialogRequest request;
    request.mode = save ? FileDialogRequest::Mode::Save : FileDialogRequest::Mode::Open;
    request.title = title;
    request.filters = {filter, texts::allFilesFilter()};
    request.fileName = proposal;
    if (save) {
        request.defaultSuffix = filter.section(u"(*."_s, 1).section(u')', 0, 0);
    }
    return dialogs_.choose(request);
}

void EstimateEditing::chooseSource(const PriceSourceKind& kind, bool replace) {
    if (const auto file = chooseFile(kind.dialogTitle, kind.fileFilter, false)) {
        EstimateSetup chosen;
        chosen.sources = sourceList_;
        if (replace) {
            chosen.replaceSources(kind.word, {*file});
        } else {
            chosen.sources.push_back(EstimateSetup::Source{kind.word, *file});
        }
        useSources(std::move(chosen.sources), indexFile_);
    }
}

void EstimateEditing::chooseHistoryFile() {
    chooseSource(BidHistorySource::sourceKind(), true);
}

void EstimateEditing::addPriceFile() {
    chooseSource(PriceFileSource::sourceKind(), false);
}

void EstimateEditing::chooseIndexFile() {
    if (const auto file = chooseFile(u"Cost Index"_s, u"Cost Index (*.csv)"_s, false)) {
        useSources(sourceList_, *file);
    }
}

bool EstimateEditing::setTypedPrice(int line, const QString& text) {
    if (line < 0 || line >= int(estimate_->lines.size())) {
        return false;
    }
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        clearPrice(line);
        return true;
    }
    bool ok = false;
    QString plain = typed;
    plain.remove(u'$');
    const double price = locale_.toDouble(plain, &ok);
    const ProjectRecord& item = estimate_->lines[size_t(line)].item;
    if (!ok ||
        !document_
             .setPrice(ItemKey::of(item), ItemPrice{price, item.units, PriceKind::Typed, QString()})
             .stored()) {
        port_.warn(u"\""_s + typed +
                   u"\" is no unit price: type an amount of dollars, 0 or more."_s);
        return false;
    }
    return true;
}

bool EstimateEditing::setNote(int line, const QString& text) {
    if (line < 0 || line >= int(estimate_->lines.size())) {
        return false;
    }
    const EstimateLine& shown = estimate_->lines[size_t(line)];
    const ItemKey key = ItemKey::of(shown.item);
    std::optional<ItemPrice> price;
    if (const ItemPrice* stored = document_.prices().find(key)) {
        price = *stored;
    } else if (shown.unitPrice && shown.kind) {
        // A note on a computed price keeps that price as it stands, so the note explains it.
        price = ItemPrice{*shown.unitPrice, shown.priceUnit, *shown.kind, QString()};
    } else {
        port_.warn(
            u"The item has no price to note: type a unit price or apply the computed one first."_s);
        return false;
    }
    const QString note = text.trimmed();
    if (note == price->note) {
        return true;
    }
    price->note = note;
    return document_.setPrice(key, price).stored();
}

void EstimateEditing::clearPrice(int line) {
    if (line >= 0 && line < int(estimate_->lines.size())) {
        document_.setPrice(ItemKey::of(estimate_->lines[size_t(line)].item), std::nullopt);
    }
}

bool EstimateEditing::applyComputedPrice(int line) {
    if (line < 0 || line >= int(estimate_->lines.size())) {
        return false;
    }
    const ProjectRecord item = estimate_->lines[size_t(line)].item;
    const estimatebuilder::Evidence evidence =
        estimatebuilder::evidenceFor(item, sources_, settings_);
    std::optional<ItemPrice> price =
        estimatebuilder::computedPrice(item, evidence, settings_.statistic);
    if (!price) {
        return false;
    }
    if (evidence.statistics && price->kind != PriceKind::Published) {
        price->note = describeSettings(settings_) + u", "_s +
                      QString::number(evidence.statistics->bids) + u" bids"_s +
                      estimatebuilder::escalationText(estimate_->lines[size_t(line)], *estimate_);
    }
    return document_.setPrice(ItemKey::of(item), price).stored();
}

bool EstimateEditing::setMobilizationPercent(std::optional<double> percent) {
    return document_.setMobilizationPercent(percent).stored();
}

bool EstimateEditing::setContingencyPercent(std::optional<double> percent) {
    // The percentage of the project's milestone, as the estimate shows it, is kept following
    // the milestone: leaving the field unchanged pins nothing.
    if (!document_.prices().contingencyPercent() && percent &&
        percent == estimate_->contingencyPercent) {
        return true;
    }
    return document_.setContingencyPercent(percent).stored();
}

std::optional<Milestone> EstimateEditing::milestone() const {
    return document_.prices().milestone();
}

bool EstimateEditing::setMilestone(std::optional<Milestone> milestone) {
    return document_.setMilestone(milestone).stored();
}

void EstimateEditing::setContingencyScale(ContingencyScale scale) {
    scale_ = std::move(scale);
    recompute();
}

EstimateTitle EstimateEditing::title() const {
    return EstimateTitle{document_.header().projNum, document_.header().designer,
                         document_.displayName(), settings_.window.estimateDate,
                         describeSettings(settings_)};
}

void EstimateEditing::exportWorkbook() {
    exportTo(u"xlsx"_s, u"Excel Workbook (*.xlsx)"_s, &writeEstimateWorkbook);
}

void EstimateEditing::exportPdf() {
    exportTo(u"pdf"_s, u"PDF Document (*.pdf)"_s, &writeEstimatePdf);
}

void EstimateEditing::exportTo(const QString& suffix, const QString& filter,
                               void (*write)(const Estimate&, const EstimateTitle&,
                                             const QString&)) {
    const QString proposal =
        QFileInfo(document_.displayName()).completeBaseName() + u" estimate."_s + suffix;
    if (const auto file = chooseFile(u"Export Estimate"_s, filter, true, proposal)) {
        try {
            BusyCursor busy(busy_);
            write(*estimate_, title(), *file);
        } catch (const Error& error) {
            port_.warn(error.message());
            return;
        }
        port_.inform(u"Estimate saved as "_s + QDir::toNativeSeparators(*file));
    }
}

}  // namespace veskplan
