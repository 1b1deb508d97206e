#include "mdbwriter.h"

#include "bytes.h"
#include "pages.h"
#include "rows.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace veskplan::mdb {
namespace {

constexpr std::uint32_t kMapPage = 1;
constexpr std::uint32_t kCatalogDefPage = 2;  // readers look for the catalog here
constexpr std::int64_t kTablesContainer = 0x0F000001;
constexpr std::int64_t kSystemObject = static_cast<std::int32_t>(0x80000000u);

// The catalog: one row for the "Tables" container, one for itself and one for each user table.
// Readers find a table's definition page in Id and tell user tables by a zero Flags; some
// insist on binding LvProp (the objects' properties), which stays NULL here.
Table catalogTable(const std::vector<std::pair<std::string, std::uint32_t>>& userTables) {
    Table catalog;
    catalog.name = "MSysObjects";
    catalog.columns = {
        {"Id", ColumnType::Long, 0, false},     {"ParentId", ColumnType::Long, 0, false},
        {"Name", ColumnType::Text, 128, false}, {"Type", ColumnType::Integer, 0, false},
        {"Flags", ColumnType::Long, 0, false},  {"LvProp", ColumnType::LongBinary}};
    const auto row = [](std::int64_t id, std::int64_t parent, std::string name, std::int64_t type,
                        std::int64_t flags) {
        return Row{id, parent, std::move(name), type, flags, std::monostate{}};
    };
    catalog.rows.push_back(row(kTablesContainer, 0x0F000000, "Tables", 3, kSystemObject));
    catalog.rows.push_back(row(kCatalogDefPage, kTablesContainer, "MSysObjects", 1, kSystemObject));
    for (const auto& [name, page] : userTables) {
        catalog.rows.push_back(row(page, kTablesContainer, name, 1, 0));
    }
    return catalog;
}

struct PlacedTable {
    const Table* table = nullptr;
    bool system = false;
    RowLayout layout;
    std::vector<std::vector<Bytes>> pageRows;  // rows of each data page
    std::uint32_t tableDef = 0;
    std::vector<std::uint32_t> leafPages;  // one for each index
    std::vector<std::uint32_t> dataPages;
};

// Lays out the rows of a table and numbers its pages from next on: the definition (unless it
// has a fixed place), one leaf page for each index, then the data pages.
PlacedTable place(const Table& table, bool system, std::uint32_t& next,
                  std::vector<PageNote>& notes, std::uint32_t fixedDef = 0) {
    PlacedTable placed;
    placed.table = &table;
    placed.system = system;
    placed.layout = layoutRow(table);
    std::vector<Bytes> rows;
    rows.reserve(table.rows.size());
    for (const Row& row : table.rows) {
        rows.push_back(encodeRow(table, placed.layout, row));
    }
    placed.pageRows = packRows(rows);
    if (placed.pageRows.empty()) {
        placed.pageRows.emplace_back();  // an empty table still owns a data page
    }
    placed.tableDef = fixedDef != 0 ? fixedDef : next++;
    notes.push_back({placed.tableDef, "table definition " + table.name});
    for (const Index& index : table.indexes) {
        notes.push_back({next, "index leaf (empty) " + table.name + "." + index.name});
        placed.leafPages.push_back(next++);
    }
    for (std::size_t i = 0; i < placed.pageRows.size(); ++i) {
        notes.push_back({next, "data " + table.name + " (" +
                                   std::to_string(placed.pageRows[i].size()) + " rows)"});
        placed.dataPages.push_back(next++);
    }
    return placed;
}

void checkTableNames(const Database& database) {
    std::set<std::string> seen;
    for (const Table& table : database.tables) {
        std::string folded = table.name;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        // Readers look tables up without regard to case.
        if (table.name.empty() || folded == "msysobjects" || !seen.insert(folded).second) {
            throw WriteError("empty, reserved or repeated table name \"" + table.name + "\"");
        }
    }
}

}  // namespace

WrittenFile writeJet4(const Database& database) {
    checkTableNames(database);
    std::vector<PageNote> notes{{0, "database definition"}, {kMapPage, "usage maps"}};
    std::uint32_t next = kCatalogDefPage + 1;

    std::vector<PlacedTable> placed;
    std::vector<std::pair<std::string, std::uint32_t>> userTables;
    for (const Table& table : database.tables) {
        placed.push_back(place(table, false, next, notes));
        userTables.emplace_back(table.name, placed.back().tableDef);
    }
    const Table catalog = catalogTable(userTables);
    placed.insert(placed.begin(), place(catalog, true, next, notes, kCatalogDefPage));
    const std::uint32_t pageCount = next;

    // All usage maps are rows of page 1; the first one lists every page of the file.
    std::vector<Bytes> mapRows;
    std::vector<std::uint32_t> all(pageCount);
    for (std::uint32_t page = 0; page < pageCount; ++page) {
        all[page] = page;
    }
    mapRows.push_back(usageMap(all));
    const auto addMap = [&](const std::vector<std::uint32_t>& pages) {
        mapRows.push_back(usageMap(pages));
        return pageRow(kMapPage, static_cast<std::uint32_t>(mapRows.size() - 1));
    };

    std::vector<Bytes> pages(pageCount);
    pages[0] = headerPage();
    for (const PlacedTable& table : placed) {
        TableDefInput def;
        def.table = table.table;
        def.layout = &table.layout;
        def.system = table.system;
        def.rowCount = static_cast<std::uint32_t>(table.table->rows.size());
        def.usedPagesMap = addMap(table.dataPages);
        def.freePagesMap = addMap(table.dataPages);  // every data page has some room left
        for (std::size_t i = 0; i < table.leafPages.size(); ++i) {
            def.indexes.push_back({table.leafPages[i], addMap({table.leafPages[i]})});
            pages[table.leafPages[i]] = emptyLeafPage(table.tableDef);
        }
        pages[table.tableDef] = tableDefPage(def);
        for (std::size_t i = 0; i < table.dataPages.size(); ++i) {
            pages[table.dataPages[i]] = dataPage(table.tableDef, table.pageRows[i]);
        }
    }
    const auto mapPages = packRows(mapRows);
    if (mapPages.size() != 1) {
        throw WriteError("too many tables and indexes: their usage maps need more than a page");
    }
    pages[kMapPage] = dataPage(0, mapPages.front());

    WrittenFile file;
    file.bytes.reserve(pageCount * kPageSize);
    for (const Bytes& page : pages) {
        putBytes(file.bytes, page);
    }
    std::sort(notes.begin(), notes.end(),
              [](const PageNote& a, const PageNote& b) { return a.page < b.page; });
    file.pages = std::move(notes);
    return file;
}

}  // namespace veskplan::mdb
