#include <gtest/gtest.h>
#include <QDir>

#include "base/configfile.h"
#include "base/texts.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::crlf;

const Configuration kDefaults{u"/defaults/data"_s, u"/home/u"_s, u"/home/u"_s};

class ConfigFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(u"veskplan.ini"_s); }
    QTemporaryDir dir;
};

TEST_F(ConfigFileTest, ReadsTheValuesByPosition) {
    const std::tuple<QByteArray, Configuration, bool> cases[] = {
        // Values from the eleventh character of lines 2, 4 and 6; the others are not looked at.
        {crlf({"x", "mastDir = C:\\vesk", "", "tsptDir = \\\\srv\\t", "; y", "lastDir = D:\\j"}),
         Configuration{u"C:\\vesk"_s, u"\\\\srv\\t"_s, u"D:\\j"_s}, false},
        {crlf({"c", "mastDir=/data/lists", "c", "tsptDir", "c", ""}), {u"ata/lists"_s}, false},
        {"c\nmastDir = /d\xE9p\xF4t\nc\ntsptDir = /b\nc\nlastDir = /c\n",
         Configuration{u"/dépôt"_s, u"/b"_s, u"/c"_s}, false},
        // A short file keeps what it has and takes the defaults for the rest.
        {crlf({"c", "mastDir = /lists", "c"}),
         Configuration{u"/lists"_s, kDefaults.tsptDir, kDefaults.lastDir}, true},
        {"", kDefaults, true},
    };
    for (const auto& [bytes, values, tooShort] : cases) {
        test::writeFile(path(), bytes);
        const auto result = ConfigFile(path()).read(kDefaults);
        EXPECT_EQ(result.values, values) << bytes.toStdString();
        EXPECT_TRUE(result.existed);
        EXPECT_EQ(result.warning,
                  tooShort ? std::optional(texts::configTooShort(QDir::toNativeSeparators(path())))
                           : std::nullopt)
            << bytes.toStdString();
    }
}

TEST_F(ConfigFileTest, MissingFileIsAFirstRunAndAnUnreadableOneWarns) {
    const auto missing = ConfigFile(path()).read(kDefaults);
    EXPECT_FALSE(missing.existed);
    EXPECT_EQ(missing.values, kDefaults);
    EXPECT_FALSE(missing.warning);

    ASSERT_TRUE(QDir().mkpath(path()));  // a folder where the file should be
    const auto unreadable = ConfigFile(path()).read(kDefaults);
    EXPECT_EQ(unreadable.values, kDefaults);
    EXPECT_TRUE(unreadable.warning.value_or(QString()).startsWith(
        u"The configuration file "_s + QDir::toNativeSeparators(path()) + u" could not be read"_s));
}

TEST_F(ConfigFileTest, RewritesALongerFileWithExactlySixLines) {
    test::writeFile(path(), crlf({"c", "mastDir = /srv/d\xE9p\xF4t/lists", "c",
                                  "tsptDir = \\\\server\\trns", "c", "lastDir = ", "7", "8"}));
    const ConfigFile file(path());
    file.write(file.read(kDefaults).values);
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"base/veskplan.ini"_s), test::readFile(path())));
}

TEST_F(ConfigFileTest, FailedWriteNamesTheFile) {
    test::writeFile(dir.filePath(u"file"_s), "x");
    const QString blocked = dir.filePath(u"file/veskplan.ini"_s);
    EXPECT_TRUE(test::errorMessage([&] {
                    ConfigFile(blocked).write(kDefaults);
                }).startsWith(u"The configuration file "_s + QDir::toNativeSeparators(blocked)));
}

}  // namespace
}  // namespace veskplan
