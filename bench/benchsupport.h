#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "controller/maincontroller.h"
#include "project/projectdocument.h"
#include "support/quietport.h"

namespace veskplan::bench {

using test::QuietPort;

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// A master list of `rows` lines in the bundled list's format: the bundled items in order, each
// repeated under numbers of its own category code that rise with the row, so the list stays in
// item-number order and every number is its own.
inline QByteArray largeMasterList(int rows) {
    QFile bundled(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/itemse.txt"));
    bundled.open(QIODevice::ReadOnly);
    std::vector<QByteArray> items;
    for (const QByteArray& line : bundled.readAll().split('\n')) {
        if (line.size() >= 57) {
            items.push_back(line.left(57));
        }
    }
    const int copies = (rows + static_cast<int>(items.size()) - 1) / static_cast<int>(items.size());
    QByteArray out;
    out.reserve(qsizetype(rows) * 59);
    for (int i = 0; i < rows; ++i) {
        const QByteArray& item = items[static_cast<size_t>(i / copies)];
        out += item.left(5) + QByteArray::number(i).rightJustified(7, '0') + item.mid(12) + "\r\n";
    }
    return out;
}

// A started program over a private folder whose English list has `masterRows` rows, with a
// project of `projectRows` items spread over `categories` categories.
class BenchProgram {
public:
    BenchProgram(int masterRows, int projectRows, int categories) {
        const QString data = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        QDir().mkpath(dir.filePath(QStringLiteral("temp")));
        const QByteArray list = largeMasterList(masterRows);
        writeBytes(data + QStringLiteral("/itemse.txt"), list);
        writeBytes(data + QStringLiteral("/itemsm.txt"), list);
        for (const char* name : {"itemcats.txt", "counties.txt", "seed100-01.xlsx"}) {
            QFile::copy(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/") + QString::fromLatin1(name),
                        data + u'/' + QString::fromLatin1(name));
        }
        Environment env;
        env.variables.insert(QStringLiteral("SystemRoot"), dir.filePath(QStringLiteral("config")));
        env.variables.insert(QStringLiteral("temp"), dir.filePath(QStringLiteral("temp")));
        env.variables.insert(QStringLiteral("VESKPLAN_DATA"), data);
        env.homeDir = dir.path();
        controller = std::make_unique<MainController>(port, port, env, QLocale::c(),
                                                      [] { return QDate(2026, 12, 6); });
        controller->start();
        fill(projectRows, categories);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Items of the master list, every seventh row, in one category after another.
    void fill(int rows, int categories) {
        RecordStore& store = controller->document().items();
        RecordStore::Batch batch(store);
        const MasterList& master = controller->master().list();
        for (int i = 0; i < rows; ++i) {
            const int row = (i * 7) % master.count();
            store.append(
                ProjectRecord{master.itemNumber(row).toString(),
                              QStringLiteral("%1").arg(1 + i % categories, 2, 10, QLatin1Char('0')),
                              master.description(row).toString() + QString::number(i),
                              master.unit(row).toString(), 1.5 * i});
        }
        batch.commit();
        for (int c = 2; c <= categories; ++c) {
            controller->editing().addCategory();
        }
    }

    QTemporaryDir dir;
    QuietPort port;
    std::unique_ptr<MainController> controller;
};

}  // namespace veskplan::bench
