#pragma once

#include <QByteArray>
#include <QtGlobal>

// The data files shipped in the program data directory, and large synthetic master lists for
// tests and benchmarks. Everything here returns the exact file bytes (Windows-1252, CR LF).
namespace veskplan::sampledata {

enum class Units { English, Metric };

// Every line of a master list: item number (12), a blank, description (40), unit (4), CR LF.
inline constexpr int kNumberWidth = 12;
inline constexpr int kDescriptionWidth = 40;
inline constexpr int kUnitWidth = 4;
inline constexpr int kLineWidth = kNumberWidth + 1 + kDescriptionWidth + kUnitWidth;

// largeMasterList refuses more rows than this (about 300 MB of text).
inline constexpr int kMaxLargeRows = 5'000'000;

// The bundled master list (itemse.txt for English units, itemsm.txt for Metric). Both lists hold
// the same item numbers in the same order.
QByteArray masterList(Units units);

// itemcats.txt: section and category lines.
QByteArray categoryFile();

// counties.txt: line N names county N.
QByteArray countyFile();

// A synthetic master list of exactly `rows` lines in the format of masterList(): item numbers
// strictly ascending and unique, spread over every category in ascending order, one free-text
// "2599-9999" row, about one row in a hundred with the word PIPE. The same (rows, seed) gives
// the same item numbers in both units. Throws std::invalid_argument unless
// 0 <= rows <= kMaxLargeRows.
QByteArray largeMasterList(int rows, Units units, quint32 seed = 1);

}  // namespace veskplan::sampledata
