#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "master/masterlist.h"
#include "master/unit.h"

namespace veskplan {

// A master item list file and its revision date (the file's last-modified date).
struct MasterListFile {
    MasterList rows;
    QDate revised;

    // Throws Error with the whole message for the user when the file cannot be read.
    static MasterListFile read(const QString& path);

    // The list of `unit` in the folder of master lists: "itemse.txt" for English, "itemsm.txt"
    // for Metric.
    static QString pathIn(const QString& masterDir, Unit unit);
    // The units the English and Metric lists of the folder give, each once, as they write them;
    // a list the folder lacks gives none. Throws Error for a list that cannot be read.
    static QStringList unitsIn(const QString& masterDir);
};

// "Revised " followed by the date in the locale's short form.
QString revisedCaption(const QDate& date, const QLocale& locale);

}  // namespace veskplan
