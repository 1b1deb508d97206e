// The fuzz target's entry, built without what only libFuzzer provides, run on every input of
// the committed corpus: the seeds and each input a fuzzing run found a fault with.
#define VESKPLAN_FUZZ_ENTRY_ONLY
#include "../../fuzz/xlsxworkbook_fuzz.cpp"

#include "support/testfiles.h"

#include <QDir>

namespace veskplan::test {
namespace {

TEST(XlsxFuzzCorpus, EveryInputRunsThroughTheFuzzEntry) {
    const QDir corpus(QStringLiteral(VESKPLAN_SOURCE_DIR "/fuzz/corpus"));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 6);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readFile(corpus.filePath(name));
        EXPECT_NO_THROW(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                               size_t(bytes.size())));
    }
}

}  // namespace
}  // namespace veskplan::test
