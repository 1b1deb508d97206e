// Every fuzz target's entry, built without libFuzzer, run on every input of its corpus: the seeds
// and each input a fuzzing run found a fault with. The valid seeds must also be read, so that a
// reader that refuses everything cannot pass.

#include "files/accessproject.h"
#include "fuzztarget.h"
#include "support/testfiles.h"

#include <QRegularExpression>

VESKPLAN_FUZZ_TARGETS(VESKPLAN_FUZZ_DECLARE)

namespace veskplan::test {
namespace {

struct Target {
    const char* name;
    int (*entry)(const uint8_t* data, size_t size);
    qsizetype (*read)(QByteArrayView bytes);
};
// clang-format off
#define VESKPLAN_TARGET(name) Target{#name, &fuzz::name##Target::entry, &fuzz::name##Target::read},
const Target kTargets[] = {VESKPLAN_FUZZ_TARGETS(VESKPLAN_TARGET)};
// clang-format on

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

const QString kCorpus = QStringLiteral(VESKPLAN_SOURCE_DIR "/fuzz/corpus");

class FuzzCorpus : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpus, EveryInputRunsThroughTheEntryAndTheValidOnesAreRead) {
    const QDir corpus(kCorpus + u'/' + QString::fromLatin1(GetParam().name));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    const QStringList valid = files.filter(QRegularExpression(QStringLiteral("^valid-")));
    ASSERT_FALSE(valid.isEmpty());
    ASSERT_GT(files.size(), valid.size()) << "no hostile inputs";
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readFile(corpus.filePath(name));
        EXPECT_NO_THROW(GetParam().entry(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         size_t(bytes.size())));
        // A build without the Access reader refuses every .mdb file, valid or not.
        const bool readable =
            accessproject::canRead() || GetParam().name != std::string("accessproject");
        if (valid.contains(name) && readable) {
            EXPECT_GT(GetParam().read(bytes), 0) << "a valid input is refused or reads nothing";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzCorpus, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FuzzCorpus, EveryCorpusHasItsTarget) {
    QStringList names;
    for (const Target& target : kTargets) {
        names.append(QString::fromLatin1(target.name));
    }
    names.sort();
    EXPECT_EQ(QDir(kCorpus).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), names);
}

}  // namespace
}  // namespace veskplan::test
