#pragma once

#include "mdbwriter.h"

#include <cstdint>
#include <vector>

namespace veskplan::mdb {

// Where a column's value sits in a row: fixed-size kinds at a set offset in the fixed area,
// the others as the n-th entry of the variable area.
struct ColumnSlot {
    const Column* column = nullptr;
    std::uint16_t number = 0;  // position in the table, also its null-mask bit
    bool fixed = false;
    std::uint16_t fixedOffset = 0;  // fixed kinds: offset in the fixed area
    std::uint16_t varIndex = 0;     // variable kinds: entry in the offset table
    std::uint16_t size = 0;         // the length the table definition states
};

struct RowLayout {
    std::vector<ColumnSlot> slots;  // in column order
    std::uint16_t varCount = 0;
};

// Checks the columns (names, kinds, text lengths) and assigns their places.
RowLayout layoutRow(const Table& table);

// One row as stored in a data page. Throws WriteError when a value does not suit its column.
Bytes encodeRow(const Table& table, const RowLayout& layout, const Row& row);

// Splits rows, in order, over as few data pages as they fit on.
std::vector<std::vector<Bytes>> packRows(const std::vector<Bytes>& rows);

// A data page owned by the table whose definition is on page tableDef: the header, the row
// offsets, and the rows stored from the end of the page towards the front.
Bytes dataPage(std::uint32_t tableDef, const std::vector<Bytes>& rows);

}  // namespace veskplan::mdb
