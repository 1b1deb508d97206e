#pragma once

#include "mdbwriter.h"
#include "rows.h"

#include <cstdint>
#include <vector>

namespace veskplan::mdb {

// Where an index of a table went: its (empty) leaf page and the row holding its usage map.
struct IndexPlace {
    std::uint32_t leafPage = 0;
    std::uint32_t usageMap = 0;  // row address
};

struct TableDefInput {
    const Table* table = nullptr;
    const RowLayout* layout = nullptr;
    bool system = false;
    std::uint32_t rowCount = 0;
    std::uint32_t usedPagesMap = 0;   // row address of the map of the table's data pages
    std::uint32_t freePagesMap = 0;   // row address of the map of those with room left
    std::vector<IndexPlace> indexes;  // parallel to table->indexes
};

// The table definition page: counts, column descriptors and names, index descriptors and
// names. Throws WriteError when the definition would need a second page.
Bytes tableDefPage(const TableDefInput& input);

// A usage map of type 0 (the map itself, not a list of map pages): the type byte, the first
// page it covers, then 64 bytes with one bit per page. Covers 512 pages from the first one.
Bytes usageMap(const std::vector<std::uint32_t>& pages);

// An index leaf page holding no entries, owned by the table whose definition is on tableDef.
Bytes emptyLeafPage(std::uint32_t tableDef);

// The database definition page (page 0), with its header block masked as readers expect.
Bytes headerPage();

}  // namespace veskplan::mdb
