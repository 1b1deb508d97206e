#include "support/controllerfixture.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include "base/numbertext.h"
#include "project/projectfile.h"

namespace veskplan::test {

QByteArray ControllerTest::englishList() {
    return masterLine("2101-0100000", "CLEARING", "ACRE") + "\r\n" +
           masterLine("2105-0500000", "COMMON EXCAVATION", "CY") + "\r\n" +
           masterLine("2301-0200000", "CONCRETE PAVEMENT 8 INCH", "SY") + "\r\n" +
           masterLine("2501-0150000", "15 INCH RC PIPE CULVERT", "LF") + "\r\n" +
           masterLine("2599-9999", "SPECIAL ITEM (DESCRIBE)", "LS") + "\r\n" +
           masterLine("2599-0000100", "FORCE ACCOUNT WORK", "LS") + "\r\n";
}

QByteArray ControllerTest::metricList() {
    return masterLine("2101-0100000", "CLEARING", "HA") + "\r\n" +
           masterLine("2105-0500000", "COMMON EXCAVATION", "M3") + "\r\n" +
           masterLine("2301-0200000", "CONCRETE PAVEMENT 200 MM", "M2") + "\r\n";
}

void ControllerTest::SetUp() {
    const QString data = sandbox.dataDir() + u'/';
    writeFile(data + QStringLiteral("itemse.txt"), englishList());
    writeFile(data + QStringLiteral("itemsm.txt"), metricList());
    setModified(data + QStringLiteral("itemse.txt"), QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    setModified(data + QStringLiteral("itemsm.txt"), QDateTime(QDate(2026, 4, 2), QTime(0, 0)));
    writeFile(data + QStringLiteral("itemcats.txt"),
              crlf({"2100 GRADING", "2101 CLEARING AND GRUBBING", "2105 EXCAVATION", "2300 PAVING",
                    "2301 CONCRETE PAVEMENT", "2500 DRAINAGE", "2501 PIPE CULVERTS",
                    "2599 SPECIAL ITEMS"}));
    writeFile(data + QStringLiteral("counties.txt"),
              crlf({"Alder", "Birchwood", "Cedar Falls", "Dunmore"}));
    QFile::copy(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx"),
                data + QStringLiteral("seed100-01.xlsx"));
    sandbox.writeConfig();
}

std::unique_ptr<MainController> ControllerTest::makeController() {
    auto made = std::make_unique<MainController>(port, port, sandbox.environment(), locale,
                                                 [] { return QDate(2026, 12, 6); });
    port.follow(made->requests());
    port.follow(made->catalogue());
    return made;
}

void ControllerTest::start() {
    controller = makeController();
    controller->start();
    port.clear();
}

void ControllerTest::addMasterRow(int row) {
    controller->browsing().pickRow(row);
    controller->editing().addCurrentMasterItem();
}

std::string ControllerTest::rowText(const ProjectRecord& r) {
    const QString quantity = r.quantity ? numbertext::shortest(*r.quantity) : QString();
    return (r.itemNumber + u'|' + r.cat + u'|' + r.description + u'|' + r.units + u'|' + quantity)
        .toStdString();
}

std::vector<std::string> ControllerTest::projectRows() {
    std::vector<std::string> rows;
    for (int i = 0; i < store().recordCount(); ++i) {
        rows.push_back(rowText(store().record(i)));
    }
    return rows;
}

void makeProjectFile(const QString& path, const std::vector<ProjectRecord>& rows) {
    QFile::remove(path);
    projectfile::write(path, rows, {});
}

ProjectRecord rec(const char* number, const char* cat, const char* description, const char* units,
                  std::optional<double> quantity) {
    return ProjectRecord{QString::fromLatin1(number), QString::fromLatin1(cat),
                         QString::fromLatin1(description), QString::fromLatin1(units), quantity};
}

}  // namespace veskplan::test
