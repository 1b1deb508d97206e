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

private:
    // An undo or redo cannot throw through the stack: a failure is kept for the document,
    // which ends the history once the stack is done.
    void guarded(bool forward);
    void apply(bool forward);
    // One change in one direction; returns the row where the views show it.
    int step(const Change& change, bool forward);

    ProjectDocument& document_;
    std::vector<Change> changes_;
    bool executed_ = false;
};

// A header field set to another value. Typing into one field makes one step.
class HeaderCommand : public QUndoCommand {
public:
    HeaderCommand(ProjectDocument& document, ProjectDocument::HeaderField field, QString before,
                  QString after);

    int id() const override { return 1 + static_cast<int>(field_); }
    bool mergeWith(const QUndoCommand* other) override;
    void redo() override { document_.applyHeader(field_, after_); }
    void undo() override { document_.applyHeader(field_, before_); }

private:
    static QString captionOf(ProjectDocument::HeaderField field);

    ProjectDocument& document_;
    ProjectDocument::HeaderField field_;
    QString before_;
    QString after_;
};

// The category list before and after a change.
class CategoriesCommand : public QUndoCommand {
public:
    CategoriesCommand(ProjectDocument& document, CategoryList before, CategoryList after,
                      const QString& text)
        : QUndoCommand(text),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void redo() override { document_.applyCategories(after_); }
    void undo() override { document_.applyCategories(before_); }

private:
    ProjectDocument& document_;
    CategoryList before_;
    CategoryList after_;
};

// One value of the document before and after a change, each put in place by `apply`.
template <typename Value>
class ChangeValueCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const Value&)>;
    ChangeValueCommand(Value before, Value after, const QString& text, Apply apply)
        : QUndoCommand(text),
          before_(std::move(before)),
          after_(std::move(after)),
          apply_(std::move(apply)) {}

    void redo() override { apply_(after_); }
    void undo() override { apply_(before_); }

private:
    Value before_;
    Value after_;
    Apply apply_;
};

}  // namespace veskplan
