#pragma once

// The frame of every fuzz target. A target file names itself and gives the body of its reading
// function, which reads `bytes` as the program reads such a file, throws std::logic_error when
// what it read breaks a rule the reader promises, and returns how many things it read (0 when
// the reader refused the input):
//
//     VESKPLAN_FUZZ_TARGET(configfile) { ...; return count; }
//
// Built for libFuzzer the frame adds LLVMFuzzerTestOneInput, which feeds each input to that
// function. Built into the tests (VESKPLAN_FUZZ_ENTRY_ONLY) the same entry is named
// veskplan::fuzz::<name>Target::entry instead, so that one test program holds every target: it runs
// each corpus through the entry and asks the reading function whether the valid seeds are read.

#include <QByteArrayView>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "base/error.h"

#ifdef VESKPLAN_FUZZ_ENTRY_ONLY
#define VESKPLAN_FUZZ_ENTRY(name) int veskplan::fuzz::name##Target::entry
#else
#define VESKPLAN_FUZZ_ENTRY(name) extern "C" int LLVMFuzzerTestOneInput
#endif

// Every target, and the two functions of one, for the test that runs them all; a test program
// built for one target alone names it in VESKPLAN_FUZZ_ONLY.
// clang-format off
#ifdef VESKPLAN_FUZZ_ONLY
#define VESKPLAN_FUZZ_APPLY(X, name) X(name)
#define VESKPLAN_FUZZ_TARGETS(X) VESKPLAN_FUZZ_APPLY(X, VESKPLAN_FUZZ_ONLY)
#else
#define VESKPLAN_FUZZ_TARGETS(X) \
    X(xlsx) X(projectfile) X(accessproject) X(masterlist) X(itemmapping) X(configfile) \
    X(countylookup) X(categorytree) X(bidfile) X(pricefile) X(costindex) X(layoutstore) \
    X(takeoff) X(takeofflayout) X(roundingrules) X(contingencyscale)
#endif
// clang-format on

#define VESKPLAN_FUZZ_DECLARE(name)                  \
    namespace veskplan::fuzz::name##Target {         \
        qsizetype read(QByteArrayView bytes);        \
        int entry(const uint8_t* data, size_t size); \
    }

#define VESKPLAN_FUZZ_TARGET(name)                                                 \
    VESKPLAN_FUZZ_DECLARE(name)                                                    \
    VESKPLAN_FUZZ_ENTRY(name)(const uint8_t* data, size_t size) {                  \
        veskplan::fuzz::name##Target::read(                                        \
            QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))); \
        return 0;                                                                  \
    }                                                                              \
    qsizetype veskplan::fuzz::name##Target::read(QByteArrayView bytes)

namespace veskplan::fuzz {

// A path in a private folder that stays the same for the whole run.
inline QString scratchPath(const QString& name) {
    static const QTemporaryDir dir;
    if (!dir.isValid()) {
        throw std::runtime_error("no temporary folder: " + dir.errorString().toStdString());
    }
    return dir.filePath(name);
}

// The input as a file for the readers that take a path, at the same path for every input;
// removed, with whatever a reader left beside it under the same name, when it goes.
class InputFile {
public:
    InputFile(QByteArrayView bytes, const QString& name) : path_(scratchPath(name)) {
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), bytes.size()) != bytes.size()) {
            throw std::runtime_error("cannot write " + path_.toStdString());
        }
    }
    ~InputFile() {
        QDir dir = QFileInfo(path_).dir();
        for (const QString& left :
             dir.entryList({QFileInfo(path_).fileName() + u'*'}, QDir::Files | QDir::Hidden)) {
            dir.remove(left);
        }
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const QString& path() const { return path_; }

private:
    QString path_;
};

// A rule the reader promises that the input broke: a finding, as a crash would be.
inline void require(bool holds, const std::string& rule) {
    if (!holds) {
        throw std::logic_error("broken: " + rule);
    }
}

// What a reader makes of the input, or nothing when it refused it; a refusal must name the file.
template <typename Read>
auto readOrRefuse(const InputFile& input, Read read) -> std::optional<decltype(read(QString()))> {
    try {
        return read(input.path());
    } catch (const veskplan::Error& error) {
        require(error.message().contains(QDir::toNativeSeparators(input.path())),
                "a refusal names the file");
        return std::nullopt;
    }
}

}  // namespace veskplan::fuzz
