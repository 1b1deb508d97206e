#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "estimate/pricesources.h"
#include "history/serverloginerror.h"

class QThread;

namespace veskplan {

// Reads an estimate's price sources on a thread of its own, so that a server's answer (or its
// silence, up to the connection's timeout) never holds up the windows. One reading at a time:
// the thread opens, uses and closes its connections itself. A reading given up has its server
// query cancelled and ends unseen, what it read dropped; the reader waits for its threads as it
// goes.
class SourceReader : public QObject {
    Q_OBJECT

public:
    // What a reading came to: the sources read, or the login a server wants first.
    struct Outcome {
        std::optional<PriceSourceReading> reading;
        std::optional<ServerLoginError> login;
    };
    using Done = std::function<void(Outcome)>;

    explicit SourceReader(SessionPasswords& passwords, QObject* parent = nullptr);
    ~SourceReader() override;

    // Starts reading, giving up the reading under way; `done` runs on this object's thread.
    // With a window, a server sends only the bids it selects.
    void start(std::vector<EstimateSetup::Source> sources, QString indexFile,
               QStringList itemNumbers, std::optional<BidWindow> window, Done done);
    // Gives up the reading under way: its `done` never runs.
    void cancel();
    bool busy() const { return current_ != nullptr; }

Q_SIGNALS:
    // A reading started, or ended or was given up.
    void busyChanged(bool busy);

private:
    struct Job;
    void finished(Job* job);

    SessionPasswords& passwords_;
    std::shared_ptr<Job> current_;
    std::vector<std::shared_ptr<Job>> running_;  // the current one and those given up
};

}  // namespace veskplan
