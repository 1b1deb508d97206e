#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/accessproject.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The rows of "veskdata" as the description the test file was written from gives them.
std::vector<ProjectRecord> describedRows(const QString& name) {
    const QJsonObject description =
        QJsonDocument::fromJson(test::dataFile(u"mdb/src/"_s + name + u".json"_s)).object();
    std::vector<ProjectRecord> rows;
    for (const QJsonValue& table : description.value(u"tables"_s).toArray()) {
        if (table[u"name"_s].toString() != u"veskdata"_s) {
            continue;
        }
        QStringList columns;
        for (const QJsonValue& column : table[u"columns"_s].toArray()) {
            columns.append(column[u"name"_s].toString());
        }
        for (const QJsonValue& value : table[u"rows"_s].toArray()) {
            const QJsonArray row = value.toArray();
            auto field = [&](const char* name) {
                return row.at(columns.indexOf(QLatin1String(name)));
            };
            const QJsonValue units = field("Units");
            const QJsonValue quantity = field("Quantity");
            rows.push_back(ProjectRecord{
                field("Item Number").toString(), field("Cat").toString(),
                field("Description").toString(), units.isNull() ? QString() : units.toString(),
                quantity.isNull() ? std::nullopt : std::optional(quantity.toDouble())});
        }
    }
    return rows;
}

TEST(AccessProject, EveryRowArrivesAsWrittenWithItsTextDecoded) {
    if (!accessproject::canRead()) {
        GTEST_SKIP() << "this build has no Access reader";
    }
    for (const char* name : {"project", "empty", "saved-empty", "nonascii", "extra", "large"}) {
        const QString path = test::dataPath(u"mdb/"_s + QLatin1String(name) + u".mdb"_s);
        EXPECT_TRUE(accessproject::isAccessDatabase(path)) << name;
        EXPECT_EQ(readProjectFile(path), describedRows(QLatin1String(name))) << name;
    }
    const auto rows = accessproject::read(test::dataPath(u"mdb/nonascii.mdb"_s));
    EXPECT_EQ(rows[0].description, u"NH-0002(2)               Zo\u00EB \u00D8rsted"_s);
    EXPECT_EQ(rows[3].description, u"BR\u00DCCKE \u2013 NORD"_s);  // UTF-16, not compressed
    EXPECT_FALSE(accessproject::isAccessDatabase(test::dataPath(u"master/list.txt"_s)));
}

TEST(AccessProject, BadFilesAreRefusedNamingTheFileAndTheReason) {
    if (!accessproject::canRead()) {
        GTEST_SKIP() << "this build has no Access reader";
    }
    const std::pair<const char*, const char*> cases[] = {
        {"noveskdata.mdb", "it holds no project item table (veskdata)"},
        {"damaged.mdb", "its project item table (veskdata) is damaged"},
        {"badkinds.mdb", "the column \"Quantity\" holds no numbers"},
        {"duplicates.mdb", "the same item twice"},
        {"missing.mdb", "does not exist"},
        // Tables whose usage maps the library would read beyond.
        {"../../../fuzz/corpus/accessproject/found-catalog-without-map.mdb",
         "it is not an Access database, or it is damaged"},
        {"../../../fuzz/corpus/accessproject/short-table-map.mdb",
         "its project item table (veskdata) is damaged"},
    };
    for (const auto& [name, reason] : cases) {
        const QString path = test::dataPath(u"mdb/"_s + QLatin1String(name));
        const QString message = test::errorMessage([&] { accessproject::read(path); });
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path)) &&
                    message.contains(QLatin1String(reason)))
            << message.toStdString();
    }
}

TEST(AccessProject, ABuildWithoutTheReaderRefusesEveryAccessFileSayingSo) {
    if (accessproject::canRead()) {
        GTEST_SKIP() << "this build has the Access reader";
    }
    const QString path = test::dataPath(u"mdb/project.mdb"_s);
    EXPECT_TRUE(accessproject::isAccessDatabase(path));
    EXPECT_EQ(test::errorMessage([&] { readProjectFile(path); }),
              u"The file "_s + QDir::toNativeSeparators(path) +
                  u" could not be opened as a project:\nthis build of Veskplan cannot read Access "
                  u"(.mdb) project files; open it with a build that can, and save it as a .vsk "
                  u"project"_s);
}

}  // namespace
}  // namespace veskplan
