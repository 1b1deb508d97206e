#include "project/projectcommands.h"

#include "project/projecttexts.h"

namespace veskplan {

void ItemsCommand::execute() {
    apply(true);
    executed_ = true;
}

void ItemsCommand::redo() {
    if (executed_) {
        executed_ = false;  // push() redoes what execute() already did
        return;
    }
    guarded(true);
}

void ItemsCommand::undo() {
    guarded(false);
}

void ItemsCommand::guarded(bool forward) {
    try {
        apply(forward);
    } catch (const DuplicateKeyError&) {
        document_.failedChange_ = texts::itemAlreadyInProject();
    } catch (const SqliteError& error) {
        document_.failedChange_ = error.reason();
    }
}

void ItemsCommand::apply(bool forward) {
    RecordStore& store = document_.items();
    // The reviews follow the items: a step that fails leaves both as they were.
    const QuantityReviews reviews = document_.reviews_;
    int touched = -1;
    try {
        if (changes_.size() == 1) {
            touched = step(changes_.front(), forward);
        } else {
            RecordStore::Batch batch(store);
            if (forward) {
                for (const Change& change : changes_) {
                    touched = step(change, forward);
                }
            } else {
                for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
                    touched = step(*it, forward);
                }
            }
            batch.commit();
        }
    } catch (...) {
        document_.reviews_ = reviews;
        throw;
    }
    if (alongside_) {
        alongside_(forward);
    }
    document_.itemsChanged(touched);
    if (!(reviews == document_.reviews_)) {
        Q_EMIT document_.quantityReviewsChanged();
    }
}

int ItemsCommand::step(const Change& change, bool forward) {
    RecordStore& store = document_.items();
    const std::optional<ProjectRecord>& from = forward ? change.before : change.after;
    const std::optional<ProjectRecord>& to = forward ? change.after : change.before;
    const std::optional<QString>& review = forward ? change.reviewAfter : change.reviewBefore;
    int row = -1;
    if (from) {
        row = store.rowOfKey(*from);
        if (row < 0) {
            throw SqliteError(0, texts::itemGone());
        }
    }
    if (to) {
        row = from ? store.update(row, *to) : store.append(*to);
    } else {
        store.remove(row);
        row = row > 0 ? row - 1 : store.recordCount() > 0 ? 0 : -1;
    }
    if (from) {
        document_.reviews_.unmark(*from);
    }
    if (to && review) {
        document_.reviews_.mark(*to, *review);
    }
    return row;
}

}  // namespace veskplan
