#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "controller/maincontroller.h"
#include "sampledata/sampledata.h"

namespace veskplan::bench {

// Answers every question with No and every file dialog with `nextFile`; shows nothing.
class QuietPort : public UserPort {
public:
    Answer showMessage(const MessageRequest& r) override {
        return r.buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<QString> chooseFile(const FileDialogRequest&) override { return nextFile; }
    void setFocus(const QString&) override {}
    void commitPendingEdits() override {}
    void showCategoryBrowser() override {}
    std::unique_ptr<PrintTarget> choosePrinter() override { return nullptr; }
    void beginBusy() override {}
    void endBusy() override {}
    QString nextFile;
};

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// A started program over a private folder whose English list has `masterRows` rows, with a
// project of `projectRows` items spread over `categories` categories.
class BenchProgram {
public:
    BenchProgram(int masterRows, int projectRows, int categories) {
        const QString data = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        QDir().mkpath(dir.filePath(QStringLiteral("temp")));
        writeBytes(data + QStringLiteral("/itemse.txt"),
                   sampledata::largeMasterList(masterRows, sampledata::Units::English));
        writeBytes(data + QStringLiteral("/itemsm.txt"),
                   sampledata::largeMasterList(masterRows, sampledata::Units::Metric));
        writeBytes(data + QStringLiteral("/itemcats.txt"), sampledata::categoryFile());
        writeBytes(data + QStringLiteral("/counties.txt"), sampledata::countyFile());
        QFile::copy(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx"),
                    data + QStringLiteral("/seed100-01.xlsx"));
        Environment env;
        env.variables.insert(QStringLiteral("SystemRoot"), dir.filePath(QStringLiteral("config")));
        env.variables.insert(QStringLiteral("temp"), dir.filePath(QStringLiteral("temp")));
        env.variables.insert(QStringLiteral("VESKPLAN_DATA"), data);
        env.homeDir = dir.path();
        controller = std::make_unique<MainController>(port, env, QLocale::c(),
                                                      [] { return QDate(2026, 12, 6); });
        controller->Form_Load();
        fill(projectRows, categories);
    }

    Workspace& ws() { return controller->workspace(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Items of the master list, every `categories`-th row in one category after another.
    void fill(int rows, int categories) {
        RecordStore& store = *ws().store;
        RecordStore::Batch batch(store);
        const MasterList& master = ws().master.list();
        for (int i = 0; i < rows; ++i) {
            const int row = 1 + (i * 7) % master.count();
            store.append(
                ProjectRecord{master.mastNum(row).toString(),
                              QStringLiteral("%1").arg(1 + i % categories, 2, 10, QLatin1Char('0')),
                              master.mastDesc(row).toString() + QString::number(i),
                              master.mastUnit(row).toString(), 1.5 * i});
        }
        batch.commit();
        for (int c = 2; c <= categories; ++c) {
            controller->addCat_Click();
        }
        ws().guardedEnabled = rows > 0;
    }

    QTemporaryDir dir;
    QuietPort port;
    std::unique_ptr<MainController> controller;
};

}  // namespace veskplan::bench
