#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include "project/categoryboxes.h"
#include "project/projectdocument.h"
#include "project/projectgridmodel.h"
#include "project/projectgridorder.h"
#include "project/specialrows.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using EditKind = ProjectDocument::EditResult::Kind;

ProjectRecord item(const QString& number, const QString& cat, const QString& description = u"D"_s) {
    return ProjectRecord{number, cat, description, u"LS"_s, std::nullopt};
}

class DocumentTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProjectDocument doc{RecordStore::create(dir.filePath(u"work.vsk"_s))};
    RecordStore& items() { return doc.items(); }
    // Where the last item change shows, as the views hear of it.
    int touched = -2;
    QMetaObject::Connection follow =
        QObject::connect(&doc, &ProjectDocument::itemTouched, [this](int row) { touched = row; });
    QString numberAt(int row) {
        return items().isRow(row) ? items().record(row).itemNumber + u'/' + items().record(row).cat
                                  : u"none"_s;
    }
};

TEST_F(DocumentTest, AddingRefusesAnItemItsCategoryHoldsAndShowsTheNewOrTheHeldItem) {
    ProjectGridOrder grid(items(), *new ProjectGridModel(items(), QLocale::c(), &doc),
                          IndexOrder::BridgeKey);
    QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_FALSE(doc.guardedCommandsEnabled());
    EXPECT_EQ(doc.addItem(item(u"2301"_s, u"01"_s)).kind, EditKind::Stored);
    EXPECT_TRUE(doc.isModified() && doc.guardedCommandsEnabled());
    const auto added = doc.addItem(item(u"2101"_s, u"01"_s));
    EXPECT_EQ(std::tuple(added.kind, numberAt(added.row), touched),
              std::tuple(EditKind::Stored, u"2101/01"_s, added.row));
    EXPECT_EQ(doc.addItem(item(u"2301"_s, u"02"_s)).kind, EditKind::Stored);
    const auto held = doc.addItem(item(u"2301"_s, u"01"_s, u"OTHER"_s));
    EXPECT_EQ(std::pair(held.kind, numberAt(held.row)),
              std::pair(EditKind::AlreadyInCategory, u"2301/01"_s));
    // Free-text items skip the category check but still meet the table's key.
    EXPECT_EQ(doc.addItem(item(u"2599-9999"_s, u"01"_s)).kind, EditKind::Stored);
    EXPECT_EQ(doc.addItem(item(u"2599-9999"_s, u"01"_s)).kind, EditKind::AlreadyInProject);
    EXPECT_EQ(doc.addItem(item(u"2599-9999"_s, u"01"_s, u"OTHER"_s)).kind, EditKind::Stored);
    // The comparison is exact: trailing blanks make another item.
    EXPECT_EQ(doc.addItem(item(u"2101 "_s, u"01"_s)).kind, EditKind::Stored);
    EXPECT_EQ(items().recordCount(), 6);
}

TEST_F(DocumentTest, RemovingPicksTheRowAboveOrTheNewFirstAndTheLastDisablesTheCommands) {
    EXPECT_EQ(doc.removeItem(-1).kind, EditKind::Refused);  // nothing to remove
    doc.removeItem(0);
    EXPECT_FALSE(doc.isModified());
    for (const char16_t* n : {u"A", u"B", u"C"}) {
        doc.addItem(item(QString::fromUtf16(n), u"01"_s));
    }
    doc.removeItem(1);
    EXPECT_EQ(numberAt(touched), u"A/01"_s);
    doc.removeItem(touched);
    EXPECT_EQ(numberAt(touched), u"C/01"_s);
    doc.removeItem(touched);
    EXPECT_TRUE(touched == -1 && items().recordCount() == 0 && !doc.guardedCommandsEnabled());
}

TEST_F(DocumentTest, OnlyQuantitiesAndTheFreeTextDescriptionTakeTyping) {
    doc.addItem(item(u"2599-9999   "_s, u"01"_s));
    doc.addItem(item(u"2101"_s, u"01"_s));
    doc.setModified(false);
    // Rows in the working order: 2101, "2599-9999   ".
    ProjectGridModel model(items(), QLocale::c());
    const int qty = ProjectGridModel::QuantityColumn;
    const int desc = ProjectGridModel::DescriptionColumn;
    for (int column = 0; column < ProjectGridModel::kColumnCount; ++column) {
        EXPECT_EQ(model.isCellEditable(0, column), column == qty) << column;
        EXPECT_EQ(model.isCellEditable(1, column), column == qty || column == desc) << column;
        EXPECT_FALSE(model.isCellEditable(2, column));
        // Quantities line up on their last digit, under a heading that does the same.
        const int horizontal = column == qty ? Qt::AlignRight : Qt::AlignLeft;
        EXPECT_EQ(model.data(model.index(0, column), Qt::TextAlignmentRole).toInt(),
                  horizontal | Qt::AlignVCenter);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                  horizontal | Qt::AlignVCenter);
    }
    const auto after = [&](ProjectDocument::EditResult result, int row, int column) {
        return std::pair(result.kind, model.data(model.index(row, column)).toString());
    };
    EXPECT_EQ(after(doc.setQuantity(0, 12.5), 0, qty), std::pair(EditKind::Stored, u"12.5"_s));
    EXPECT_EQ(after(doc.setQuantity(0, qInf()), 0, qty), std::pair(EditKind::Refused, u"12.5"_s));
    EXPECT_EQ(after(doc.setQuantity(0, std::nullopt), 0, qty), std::pair(EditKind::Stored, u""_s));
    EXPECT_EQ(after(doc.setQuantity(5, 1.0), 0, qty), std::pair(EditKind::Refused, u""_s));
    EXPECT_EQ(after(doc.setFreeTextDescription(1, u"BRIDGE RAIL"_s), 1, desc),
              std::pair(EditKind::Stored, u"BRIDGE RAIL"_s));
    EXPECT_EQ(after(doc.setFreeTextDescription(0, u"X"_s), 0, desc),
              std::pair(EditKind::Refused, u"D"_s));
    EXPECT_TRUE(doc.isModified());
    doc.setModified(false);
    EXPECT_EQ(doc.setFreeTextDescription(1, u"BRIDGE RAIL"_s).kind, EditKind::Stored);
    EXPECT_FALSE(doc.isModified());  // the same value is no change
}

TEST_F(DocumentTest, HeaderFieldsCategoriesTheirBoxesAndABoundFileKeepTheModifiedState) {
    doc.setProjectNumber(u"STP-0000-0000-0000-0000-00-EXTRA"_s);
    EXPECT_EQ(doc.header().projNum, u"STP-0000-0000-0000-0000-0"_s);
    EXPECT_TRUE(doc.isModified());
    doc.setModified(false);
    doc.setProjectNumber(u"STP-0000-0000-0000-0000-0"_s);
    doc.setDesigner(QString());
    doc.setLettingMonth(12);  // no such month: none, as before
    EXPECT_FALSE(doc.isModified());
    CategoryList list;
    list.append(u"98"_s, QString());
    doc.setCategories(list);
    EXPECT_EQ(doc.appendCategory().kind, EditKind::Stored);
    EXPECT_EQ(doc.appendCategory().kind, EditKind::Refused);
    EXPECT_EQ(doc.categories().numbers(), (QStringList{u"98"_s, u"99"_s}));
    EXPECT_EQ(CategoryList().nextNumber(), u"01"_s);

    // The two category boxes move together and keep the typed description.
    CategoryBoxes boxes(doc);
    doc.bind(specialrows::ProjectContents{});
    list = CategoryList();
    list.append(u"01"_s, u"Roadway"_s);
    doc.setCategories(list);
    boxes.selectNumber(0);
    EXPECT_EQ(boxes.descriptionIndex(), 0);
    EXPECT_EQ(boxes.descriptionText(), u"Roadway"_s);
    ASSERT_TRUE(boxes.addCategory());
    EXPECT_EQ(std::pair(boxes.numberIndex(), boxes.currentNumber()), std::pair(1, u"02"_s));
    boxes.typeDescription(u"Bridge"_s);
    boxes.selectDescription(0);  // picking another entry does not store the typed text
    EXPECT_EQ(boxes.numberIndex(), 0);
    boxes.selectNumber(1);
    boxes.typeDescription(u"Bridge"_s);
    boxes.storeTypedDescription();
    EXPECT_EQ(doc.categories().descriptions(), (QStringList{u"Roadway"_s, u"Bridge"_s}));
    doc.setModified(false);
    boxes.selectNumber(1);  // looking at the chosen category again is no change
    boxes.storeTypedDescription();
    EXPECT_FALSE(doc.isModified());

    // A bound saved file enables the commands until its items change.
    specialrows::ProjectContents saved;
    saved.hadRows = true;
    saved.projNum = u"P"_s;
    doc.bind(saved);
    EXPECT_TRUE(doc.guardedCommandsEnabled());
    EXPECT_FALSE(doc.isModified());
    doc.addItem(item(u"A"_s, u"01"_s));
    doc.removeItem(0);
    EXPECT_FALSE(doc.guardedCommandsEnabled());
    doc.appendCategory();
    doc.clearForNewProject();  // nothing of the last project stays, and nothing asks to be saved
    EXPECT_TRUE(!doc.isModified() && doc.isUntitled() && doc.header().projNum.isEmpty());
    EXPECT_EQ(doc.categories().numbers() + doc.categories().descriptions(),
              (QStringList{u"01"_s, QString()}));
}

TEST_F(DocumentTest, EveryChangeIsUndoneAndRedoneAndTheCleanStateIsNotModified) {
    QUndoStack& stack = doc.undoStack();
    CategoryList first;
    first.append(u"01"_s, QString());
    doc.setCategories(first);
    doc.setModified(false);
    const auto snapshot = [this] {
        return std::make_tuple(doc.items().records(IndexOrder::PrimaryKey), doc.header().projNum,
                               doc.header().letMonth, doc.categories());
    };
    const auto saved = snapshot();
    doc.addItem(item(u"2101"_s, u"01"_s));
    doc.addItem(item(u"2599-9999"_s, u"01"_s));
    doc.setQuantity(0, 12);
    doc.setFreeTextDescription(1, u"RAIL"_s);
    for (const QChar c : u"STP-9"_s) {  // typing into the box: one step
        doc.setProjectNumber(doc.header().projNum + c);
    }
    doc.setLettingMonth(4);
    doc.appendCategory();
    doc.setCategoryDescription(1, u"Bridge"_s);
    doc.removeItem(0);
    const QStringList steps = {
        u"Add Item"_s,       u"Add Item"_s,      u"Quantity"_s,     u"Description"_s,
        u"Project Number"_s, u"Letting Month"_s, u"Add Category"_s, u"Category Description"_s,
        u"Remove Item"_s};
    ASSERT_EQ(stack.count(), steps.size());
    for (int i = 0; i < stack.count(); ++i) {
        EXPECT_EQ(stack.text(i), steps[i]);
    }
    const auto done = snapshot();
    while (stack.canUndo()) {
        doc.undo();
    }
    EXPECT_EQ(snapshot(), saved);
    EXPECT_FALSE(doc.isModified());  // back at the saved state
    EXPECT_FALSE(doc.guardedCommandsEnabled());
    while (stack.canRedo()) {
        doc.redo();
    }
    EXPECT_EQ(snapshot(), done);
    EXPECT_TRUE(doc.isModified());
    doc.undo();  // the removed item comes back and shows
    EXPECT_EQ(doc.items().record(touched).itemNumber, u"2101"_s);
    EXPECT_EQ(doc.items().record(touched).quantity, 12);

    // Typing a value back to what it was leaves no step; binding a file ends the history.
    doc.redo();
    const int count = stack.count();
    doc.setDesigner(u"P"_s);
    doc.setDesigner(QString());
    EXPECT_EQ(stack.count(), count);
    doc.items().replaceAll({});
    doc.bind(specialrows::ProjectContents{});
    EXPECT_EQ(stack.count(), 0);
}

TEST_F(DocumentTest, AReplacementInAnotherUnitMarksItsQuantityUntilTheQuantityIsTypedAgain) {
    ProjectGridModel model(items(), QLocale::c());
    model.followReviews(doc);
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    ProjectRecord acre{u"2101-01"_s, u"01"_s, u"CLEARING"_s, u"ACRE"_s, 12.5};
    ProjectRecord bare{u"2105-01"_s, u"01"_s, u"EXCAVATION"_s, u"M3"_s, std::nullopt};
    doc.addItem(acre);
    doc.addItem(bare);
    ProjectRecord lumpSum = acre;
    lumpSum.units = u"LS  "_s;
    ProjectRecord cubicYards = bare;
    cubicYards.units = u"CY"_s;
    int told = 0;
    QObject::connect(&doc, &ProjectDocument::quantityReviewsChanged, [&told] { ++told; });
    // Only a quantity there is to carry over is marked.
    doc.replaceItems({{acre, lumpSum}, {bare, cubicYards}}, u"Replace Items"_s);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(doc.quantityReviews().formerUnit(lumpSum), u"ACRE"_s);
    EXPECT_FALSE(doc.quantityReviews().formerUnit(cubicYards));
    const QModelIndex quantity = model.index(0, ProjectGridModel::QuantityColumn);
    // Dark text on the amber mark, whatever the palette's text colour.
    EXPECT_EQ(std::pair(quantity.data(Qt::BackgroundRole).value<QColor>().lightness() > 160,
                        quantity.data(Qt::ForegroundRole).value<QColor>().lightness() < 60),
              std::pair(true, true));
    EXPECT_EQ(quantity.data(Qt::ToolTipRole).toString(),
              u"The unit changed from ACRE to LS: check the quantity and type it again."_s);
    EXPECT_FALSE(model.index(1, ProjectGridModel::QuantityColumn).data(Qt::ToolTipRole).isValid());
    // The mark goes and comes with its step, and with a removal.
    doc.undo();
    EXPECT_TRUE(doc.quantityReviews().isEmpty());
    doc.redo();
    EXPECT_FALSE(doc.quantityReviews().isEmpty());
    doc.removeItem(0);
    EXPECT_TRUE(doc.quantityReviews().isEmpty());
    doc.undo();
    EXPECT_EQ(doc.quantityReviews().formerUnit(lumpSum), u"ACRE"_s);
    // Typing the quantity, even the same one, confirms it as one step of its own.
    const int steps = doc.undoStack().index();
    EXPECT_EQ(doc.setQuantity(items().rowOfKey(lumpSum), 12.5).kind, EditKind::Stored);
    EXPECT_EQ(doc.undoStack().index(), steps + 1);
    EXPECT_TRUE(doc.quantityReviews().isEmpty());
    EXPECT_FALSE(quantity.data(Qt::BackgroundRole).isValid());
    doc.setQuantity(items().rowOfKey(lumpSum), 12.5);
    EXPECT_EQ(doc.undoStack().index(), steps + 1);  // now it is no change
    doc.undo();
    EXPECT_FALSE(doc.quantityReviews().isEmpty());
    doc.clearForNewProject();
    EXPECT_TRUE(doc.quantityReviews().isEmpty());
}

TEST_F(DocumentTest, PastedQuantitiesAreOneStepAndRowsCopyAsATable) {
    doc.addItem(ProjectRecord{u"2101"_s, u"01"_s, u"CLEARING   "_s, u"ACRE"_s, 2.0});
    doc.addItem(ProjectRecord{u"2105"_s, u"01"_s, u"EXCAVATION"_s, u"CY  "_s, std::nullopt});
    doc.addItem(ProjectRecord{u"2301"_s, u"02"_s, u"PAVING\tA"_s, u"SY"_s, 1.5});
    const auto quantities = [this] { return test::quantitiesOf(items()); };
    const int steps = doc.undoStack().count();
    EXPECT_EQ(doc.setQuantities({0, 1, 2}, {4.0, std::nullopt, 1.5}).kind, EditKind::Stored);
    EXPECT_EQ(quantities(), (std::vector<std::optional<double>>{4.0, std::nullopt, 1.5}));
    ASSERT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(doc.undoStack().text(steps), u"Paste Quantities"_s);
    EXPECT_EQ(doc.setQuantities({2, 3}, {1.0, 2.0}).kind, EditKind::Refused);  // past the last row
    EXPECT_EQ(doc.setQuantities({0, 1}, {1.0, qInf()}).kind, EditKind::Refused);
    EXPECT_EQ(doc.setQuantities({0}, {4.0}).kind, EditKind::Stored);  // no change, no step
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    doc.undo();
    EXPECT_EQ(quantities(), (std::vector<std::optional<double>>{2.0, std::nullopt, 1.5}));

    const ProjectGridModel model(items(), QLocale::c());
    EXPECT_EQ(model.rowsAsText({0, 2}),
              u"Item Number\tCat\tDescription\tUnits\tQuantity\n"
              u"2101\t01\tCLEARING\tACRE\t2\n"
              u"2301\t02\tPAVING A\tSY\t1.5\n"_s);
}

}  // namespace
}  // namespace veskplan
