#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// A small writer of Jet 4 (Access 2000) database files, for tests only: the product reads such
// files and never writes them. It writes what readers need to list the tables, describe their
// columns and indexes and fetch every row; see README.md beside this file for what it leaves out.
namespace veskplan::mdb {

using Bytes = std::vector<std::uint8_t>;

// The column kinds this writer knows, with their type codes in the table definition.
enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Integer = 0x03,  // 16 bits
    Long = 0x04,     // 32 bits
    Double = 0x07,
    Text = 0x0A,
    LongBinary = 0x0B,  // NULL only: the catalog has such a column that readers bind
    Memo = 0x0C,        // stored inline in the row only
};

struct Column {
    std::string name;
    ColumnType type = ColumnType::Text;
    int maxChars = 0;  // Text only: 1..255 characters
    bool nullable = true;
    // Text and Memo: store values that allow it in the one-byte-per-character form.
    bool compressText = true;
};

struct Index {
    std::string name;
    std::vector<std::string> columns;  // 1..10 column names, each ascending
    bool primary = false;
    bool unique = false;  // implied by primary
};

// Null, Boolean, Integer/Long, Double, Text/Memo (UTF-8).
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string>;
using Row = std::vector<Value>;

struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<Index> indexes;
    std::vector<Row> rows;
};

struct Database {
    std::vector<Table> tables;  // user tables; the catalog is added by the writer
};

// What a page of the written file holds, for the --map listing and for tests that damage a
// chosen page.
struct PageNote {
    std::uint32_t page = 0;
    std::string what;
};

struct WrittenFile {
    Bytes bytes;
    std::vector<PageNote> pages;
};

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kPageSize = 4096;

// Lays out and encodes the whole file. Same input, same bytes: nothing depends on the clock.
// Throws WriteError for input the format or this writer cannot hold.
WrittenFile writeJet4(const Database& database);

}  // namespace veskplan::mdb
