#pragma once

#include <vector>

#include "project/projectrecord.h"
#include "support/testfiles.h"

namespace veskplan::test {

// The records of a file of tests/data, one a line as "item number|cat|description|unit|quantity"
// in UTF-8; an empty quantity stands for none.
inline std::vector<ProjectRecord> records(const QString& name) {
    std::vector<ProjectRecord> result;
    const QString text = QString::fromUtf8(dataFile(name));
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u'|');
        EXPECT_EQ(f.size(), 5) << line.toStdString();
        result.push_back({f.value(0), f.value(1), f.value(2), f.value(3),
                          f.value(4).isEmpty() ? std::nullopt : std::optional(f[4].toDouble())});
    }
    return result;
}

}  // namespace veskplan::test
