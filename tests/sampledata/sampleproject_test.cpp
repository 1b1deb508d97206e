#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "files/projectfile.h"
#include "sampledata/sampleproject.h"

namespace veskplan {
namespace {

TEST(SampleProject, IsAProjectFileWithHeaderCategoriesAndItems) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.vsk"));
    sampledata::writeSampleProject(path);
    const std::vector<ProjectRecord> rows = projectfile::read(path);
    int special = 0;
    int items = 0;
    for (const ProjectRecord& row : rows) {
        (row.itemNumber.startsWith(u"0000") ? special : items)++;
    }
    EXPECT_EQ(special, 5);  // two header rows, three categories
    EXPECT_GE(items, 30);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".part")));
}

}  // namespace
}  // namespace veskplan
