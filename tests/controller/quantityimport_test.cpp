#include <gtest/gtest.h>
#include <QDir>

#include "controller/quantityimport.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class QuantityImportTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(0);  // CLEARING, ACRE
        addMasterRow(1);  // COMMON EXCAVATION, CY
        doc().setQuantity(0, 2);
        doc().setQuantity(1, 100);
        QObject::connect(&controller->requests(), &ViewRequests::quantityReviewRequested,
                         [this] { ++reviews; });
    }
    QString takeoff(const char* name, const QByteArray& text) {
        const QString path = sandbox.path(QString::fromLatin1(name));
        test::writeFile(path, text);
        return path;
    }
    void importFiles(const QStringList& files) {
        port.files.push_back(files.join(u'\n'));
        review().importFiles();
    }
    QuantityImport& review() { return controller->quantityImport(); }
    // Each row as "number|status|category|new quantity|accepted".
    std::vector<std::string> reviewRows() {
        std::vector<std::string> shown;
        for (int i = 0; i < static_cast<int>(review().rows().size()); ++i) {
            const TakeoffReview::Row& row = review().rows()[i];
            shown.push_back((row.itemNumber + u'|' + TakeoffReview::statusText(row.status) + u'|' +
                             row.category + u'|' +
                             (row.newQuantity ? QString::number(*row.newQuantity) : QString()) +
                             (review().isAccepted(i) ? u"|yes"_s : u"|no"_s))
                                .toStdString());
        }
        return shown;
    }
    // A description as the project stores it.
    static std::string pad(const char* description) {
        return QString::fromLatin1(description).leftJustified(40).toStdString();
    }
    int reviews = 0;
};

TEST_F(QuantityImportTest, FilesAreReviewedAndTheAcceptedRowsTakenAsOneStep) {
    const QString plain = takeoff("plain.csv",
                                  "Item Number,Description,Unit,Quantity\n"
                                  "2105.0500000,EXCAVATION,CF,2700\n"
                                  "2301 0200000,PAVEMENT,SF,900\n"
                                  "2501-0150000,PIPE,TON,5\n"
                                  "9999-0000000,RETIRED,EA,3\n");
    const QString summary = takeoff("summary.csv",
                                    "Pay Item ID;Description;Quantity;Unit\n"
                                    "2105-0500000;COMMON EXCAVATION;50;CY\n");
    importFiles({plain, summary});
    EXPECT_EQ(port.dialogs.at(0).filters,
              (QStringList{u"Take-off Reports (*.csv *.xlsx)"_s, u"All Files (*.*)"_s}));
    EXPECT_EQ(reviews, 1);
    // 2700 CF and 50 CY make 150 CY; 900 SF make 100 SY; a ton is no length.
    EXPECT_EQ(reviewRows(),
              (std::vector<std::string>{
                  "2101-0100000|not in take-off|01||no", "2105-0500000|changed|01|150|no",
                  "2301-0200000|new|01|100|no", "2501-0150000|unit differs|01||no",
                  "9999-0000000|not in list|||no"}));
    review().accept({0, 1, 3, 4});
    EXPECT_EQ(reviewRows()[1].back(), 's');
    EXPECT_EQ(reviewRows()[2].back(), 'o');  // not accepted yet
    review().accept({1}, false);
    review().acceptAll();
    const std::vector<bool> accepted = {false, true, true, false, false};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(review().isAccepted(i), accepted[i]) << i;
    }
    port.clear();
    review().apply();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"1 quantity changed and 1 item added."_s});
    const std::string clearing = "2101-0100000|01|" + pad("CLEARING") + "|ACRE|2";
    const std::string excavation = "2105-0500000|01|" + pad("COMMON EXCAVATION") + "|CY  |";
    EXPECT_EQ(projectRows(),
              (std::vector<std::string>{
                  clearing, excavation + "150",
                  "2301-0200000|01|" + pad("CONCRETE PAVEMENT 8 INCH") + "|SY  |100"}));
    // Worked out again: what was taken is the same now, and nothing stays accepted.
    EXPECT_EQ(reviewRows()[1], "2105-0500000|same|01|150|no");
    port.clear();
    review().apply();
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{u"No rows are accepted: nothing was changed."_s});
    doc().undoStack().undo();
    EXPECT_EQ(projectRows(), (std::vector<std::string>{clearing, excavation + "100"}));
}

TEST_F(QuantityImportTest, ANewItemWaitsForACategoryTheDesignerPicks) {
    controller->editing().addCategory();            // 02
    controller->editing().categoryBoxes().reset();  // no category chosen in the boxes
    importFiles({takeoff("new.csv", "Item Number,Unit,Quantity\n2301-0200000,SY,4\n")});
    EXPECT_EQ(reviewRows()[2], "2301-0200000|new||4|no");
    review().acceptAll();
    EXPECT_FALSE(review().isAccepted(2));
    review().chooseDefaultCategory(u"02"_s);
    EXPECT_EQ(reviewRows()[2], "2301-0200000|new|02|4|no");
    review().accept({2});
    review().chooseDefaultCategory(u"01"_s);  // the item stays accepted where it now goes
    EXPECT_EQ(reviewRows()[2], "2301-0200000|new|01|4|yes");
}

TEST_F(QuantityImportTest, AFileThatCannotBeReadChangesNothing) {
    const QString good = takeoff("good.csv", "Item Number,Unit,Quantity\n2105-0500000,CY,7\n");
    importFiles({good});
    const std::vector<std::string> before = reviewRows();
    const QString bad = takeoff("bad.csv", "Item Number,Unit,Quantity\n2105-0500000,CY,lots\n");
    const std::pair<QStringList, QString> cases[] = {
        {{good, bad},
         u"The take-off file "_s + QDir::toNativeSeparators(bad) +
             u" could not be read at line 2: the quantity \"lots\" is not a number"_s},
        {{}, QString()},  // cancelled
    };
    for (const auto& [files, message] : cases) {
        port.clear();
        port.files.push_back(files.isEmpty() ? std::nullopt
                                             : std::optional<QString>(files.join(u'\n')));
        review().importFiles();
        EXPECT_EQ(port.messageTexts(),
                  message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{message});
        EXPECT_EQ(reviewRows(), before);
        EXPECT_EQ(reviews, 1);
        EXPECT_EQ(review().files(), QStringList{good});
    }
}

}  // namespace
}  // namespace veskplan
