#pragma once

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <vector>

#include "project/categorylist.h"
#include "project/projectdocument.h"
#include "project/projectrecord.h"

namespace veskplan {

// Any number of items put in, taken out or changed, as one step. An item is found by its key
// (category, item number, description), which no two items share.
class ItemsCommand : public QUndoCommand {
public:
    struct Change {
        std::optional<ProjectRecord> before;
        std::optional<ProjectRecord> after;
        // The unit a quantity to review was typed in, before and after the change.
        std::optional<QString> reviewBefore;
        std::optional<QString> reviewAfter;
    };

    ItemsCommand(ProjectDocument& document, std::vector<Change> changes, const QString& text)
        : QUndoCommand(text), document_(document), changes_(std::move(changes)) {}

    // The first execution, before the command goes on the stack. Throws DuplicateKeyError or
    // SqliteError; nothing changes then.
    void execute();
    void redo() override;
    void undo() override;
    // Something of the document that changes with the items, in either direction, once they
    // are in place.
    void alsoApply(std::function<void(bool forward)> alongside) {
        alongside_ = std::move(alongside);
    }

private:
    // An undo or redo cannot throw through the stack: a failure is kept for the document,
    // which ends the history once the stack is done.
    void guarded(bool forward);
    void apply(bool forward);
    // One change in one direction; returns the row where the views show it.
    int step(const Change& change, bool forward);

    ProjectDocument& document_;
    std::vector<Change> changes_;
    std::function<void(bool forward)> alongside_;
    bool executed_ = false;
};

// One value of the document set to another, put in place by `apply` either way: a header field,
// the category list, the prices. Changes with the same `mergeId` (other than -1, and one per
// kind of value) that follow each other are one step, so typing into a field makes one step; a
// step that comes back to where it started is none.
template <typename Value>
class ChangeValueCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const Value&)>;
    ChangeValueCommand(Value before, Value after, const QString& text, Apply apply,
                       int mergeId = -1)
        : QUndoCommand(text),
          before_(std::move(before)),
          after_(std::move(after)),
          apply_(std::move(apply)),
          mergeId_(mergeId) {}

    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const ChangeValueCommand*>(other)->after_;
        setObsolete(after_ == before_);
        return true;
    }
    void redo() override { apply_(after_); }
    void undo() override { apply_(before_); }

private:
    Value before_;
    Value after_;
    Apply apply_;
    int mergeId_;
};

}  // namespace veskplan
