#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include "master/masterlist.h"

namespace veskplan {

// Reads a master item list file and its revision date (the file's last-modified date).
struct MasterListFile {
    MasterList rows;
    QDate revised;
    QString error;  // empty on success; otherwise the whole message for the user

    bool ok() const { return error.isEmpty(); }

    static MasterListFile read(const QString& path);

    // The file name of each unit: index 0 English, any other index Metric.
    static QString fileName(int unitIndex);
};

// "Revised " followed by the date in the locale's short form.
QString revisedCaption(const QDate& date, const QLocale& locale);

}  // namespace veskplan
