#include "controller/sourcereader.h"

#include <QThread>
#include <algorithm>

#include "controller/asidework.h"

namespace veskplan {

struct SourceReader::Job {
    std::unique_ptr<QThread> thread;
    Done done;
    Outcome outcome;  // written by the thread, read once it has finished
};

SourceReader::SourceReader(SessionPasswords& passwords, QObject* parent)
    : QObject(parent), passwords_(passwords) {}

SourceReader::~SourceReader() {
    // A thread still reading stops at the server's next answer, one still connecting within the
    // connection's timeout; what it read goes with it.
    for (const std::shared_ptr<Job>& job : running_) {
        job->thread->disconnect(this);
        interruptWork(job->thread.get());
    }
    for (const std::shared_ptr<Job>& job : running_) {
        job->thread->wait();
    }
}

void SourceReader::start(std::vector<EstimateSetup::Source> sources, QString indexFile,
                         QStringList itemNumbers, std::optional<BidWindow> window, Done done) {
    const bool wasBusy = busy();
    if (current_) {
        interruptWork(current_->thread.get());
    }
    auto job = std::make_shared<Job>();
    job->done = std::move(done);
    Job* raw = job.get();
    SessionPasswords* passwords = &passwords_;
    job->thread.reset(QThread::create(
        [raw, passwords, sources = std::move(sources), indexFile = std::move(indexFile),
         numbers = std::move(itemNumbers), window = std::move(window)] {
            try {
                raw->outcome.reading =
                    PriceSources::read(sources, indexFile, numbers, window, passwords);
            } catch (const ServerLoginError& login) {
                raw->outcome.login = login;
            }
        }));
    connect(job->thread.get(), &QThread::finished, this, [this, raw] { finished(raw); });
    current_ = job;
    running_.push_back(std::move(job));
    current_->thread->start();
    if (!wasBusy) {
        Q_EMIT busyChanged(true);
    }
}

void SourceReader::cancel() {
    if (current_) {
        // The server stops the query; the thread ends soon after, unseen.
        interruptWork(current_->thread.get());
        current_.reset();
        Q_EMIT busyChanged(false);
    }
}

void SourceReader::finished(Job* job) {
    const auto found = std::find_if(running_.begin(), running_.end(),
                                    [job](const auto& running) { return running.get() == job; });
    if (found == running_.end()) {
        return;
    }
    const std::shared_ptr<Job> ended = *found;
    running_.erase(found);
    ended->thread->wait();
    if (ended != current_) {
        return;  // given up: what it read is dropped
    }
    current_.reset();
    Q_EMIT busyChanged(false);
    ended->done(std::move(ended->outcome));
}

}  // namespace veskplan
