#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "controller/maincontroller.h"
#include "support/scriptedport.h"
#include "support/testfiles.h"

namespace veskplan::test {

// A started program without a window: a sandbox with small English and Metric master lists,
// a category file, a county file, the bundled seed workbook, the scripted port and the
// controller after its start-up.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Creates a controller over the sandbox (not yet started).
    std::unique_ptr<MainController> makeController();
    void start();

    ProjectDocument& doc() { return controller->document(); }
    RecordStore& store() { return doc().items(); }
    const MasterSession& master() { return controller->master(); }
    const CategoryBoxes& boxes() { return controller->editing().categoryBoxes(); }

    // Makes master row `row` current (as a click does) and adds it.
    void addMasterRow(int row);
    // The project rows in the grid's order, as "number|cat|description|units|quantity".
    std::vector<std::string> projectRows();
    std::string rowText(const ProjectRecord& record);

    QString projectPath(const QString& name) const { return sandbox.projectsDir() + u'/' + name; }

    // The English list: six items. Rows used by the tests (counted from 0, as the grid does):
    //  0 2101-0100000 CLEARING              3 2501-0150000 15 INCH RC PIPE CULVERT
    //  1 2105-0500000 COMMON EXCAVATION     4 2599-9999    SPECIAL ITEM (DESCRIBE)
    //  2 2301-0200000 CONCRETE PAVEMENT     5 2599-0000100 FORCE ACCOUNT WORK
    static QByteArray englishList();
    static QByteArray metricList();

    Sandbox sandbox;
    ScriptedPort port;
    // The user's language, which the controllers made next are given.
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    std::unique_ptr<MainController> controller;
};

}  // namespace veskplan::test

namespace veskplan::test {

// Writes a project file holding exactly these rows, as another tool could.
void makeProjectFile(const QString& path, const std::vector<ProjectRecord>& rows);

// A row of the project table: item number, category, description, units, quantity.
ProjectRecord rec(const char* number, const char* cat, const char* description = "",
                  const char* units = "", std::optional<double> quantity = std::nullopt);

}  // namespace veskplan::test
