#include "pages.h"

#include "bytes.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <set>

namespace veskplan::mdb {
namespace {

constexpr std::size_t kMapBytes = 64;
constexpr std::uint32_t kMapPages = kMapBytes * 8;
constexpr std::size_t kIndexColumns = 10;  // key column slots in an index descriptor
constexpr std::size_t kLeafEntriesStart = 0x1E0;

void putName(Bytes& out, const std::string& name) {
    const Bytes stored = utf16le(utf16FromUtf8(name));
    put16(out, static_cast<std::uint16_t>(stored.size()));
    putBytes(out, stored);
}

std::uint8_t columnFlags(const ColumnSlot& slot) {
    std::uint8_t flags = 0;
    if (slot.fixed) {
        flags |= 0x01;
    }
    if (slot.column->nullable && slot.column->type != ColumnType::Boolean) {
        flags |= 0x02;
    }
    return flags;
}

// Key columns of each index as column numbers, after checking names and counts.
std::vector<std::vector<std::uint16_t>> indexKeys(const Table& table) {
    std::vector<std::vector<std::uint16_t>> keys;
    std::set<std::string> names;
    int primaries = 0;
    for (const Index& index : table.indexes) {
        const std::string at = "table \"" + table.name + "\", index \"" + index.name + "\"";
        if (index.name.empty() || !names.insert(index.name).second) {
            throw WriteError(at + ": empty or repeated index name");
        }
        if (index.columns.empty() || index.columns.size() > kIndexColumns) {
            throw WriteError(at + ": an index has 1 to 10 columns");
        }
        primaries += index.primary ? 1 : 0;
        std::vector<std::uint16_t> numbers;
        for (const std::string& name : index.columns) {
            std::size_t i = 0;
            while (i < table.columns.size() && table.columns[i].name != name) {
                ++i;
            }
            if (i == table.columns.size()) {
                throw WriteError(at + ": no column \"" + name + "\"");
            }
            numbers.push_back(static_cast<std::uint16_t>(i));
        }
        if (std::set<std::uint16_t>(numbers.begin(), numbers.end()).size() != numbers.size()) {
            throw WriteError(at + ": a column appears twice");
        }
        keys.push_back(std::move(numbers));
    }
    if (primaries > 1) {
        throw WriteError("table \"" + table.name + "\" has more than one primary key");
    }
    return keys;
}

// RC4, which the format uses only to mask the header block.
void rc4(const std::array<std::uint8_t, 4>& key, std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % key.size()]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    for (std::size_t k = 0; k < size; ++k) {
        x = static_cast<std::uint8_t>(x + 1);
        y = static_cast<std::uint8_t>(y + state[x]);
        std::swap(state[x], state[y]);
        data[k] ^= state[static_cast<std::uint8_t>(state[x] + state[y])];
    }
}

}  // namespace

Bytes tableDefPage(const TableDefInput& input) {
    const Table& table = *input.table;
    const RowLayout& layout = *input.layout;
    const auto keys = indexKeys(table);
    const auto indexCount = static_cast<std::uint32_t>(table.indexes.size());
    const auto columnCount = static_cast<std::uint16_t>(layout.slots.size());

    Bytes page;
    put8(page, 0x02);  // table definition
    put8(page, 0x01);
    put16(page, 0);  // free space, set at the end
    put32(page, 0);  // no continuation page
    put32(page, 0);  // definition length, set at the end
    put32(page, 0);
    put32(page, input.rowCount);
    put32(page, 0);  // next autonumber: none
    put8(page, 0);
    page.resize(page.size() + 3 + 4 + 8, 0);
    put8(page, input.system ? 0x53 : 0x4E);
    put16(page, columnCount);  // most columns a row has had: none were ever deleted
    put16(page, layout.varCount);
    put16(page, columnCount);
    put32(page, indexCount);  // logical indexes
    put32(page, indexCount);  // physical indexes, one for each
    put32(page, input.usedPagesMap);
    put32(page, input.freePagesMap);
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        put32(page, 0);
        put32(page, 0);  // entries in the index: the leaf page is empty
        put32(page, 0);
    }
    for (const ColumnSlot& slot : layout.slots) {
        const bool text =
            slot.column->type == ColumnType::Text || slot.column->type == ColumnType::Memo;
        put8(page, static_cast<std::uint8_t>(slot.column->type));
        put32(page, 0);
        put16(page, slot.number);
        put16(page, slot.fixed ? 0 : slot.varIndex);
        put16(page, slot.number);
        put16(page, text ? 0x0409 : 0);  // text sort order "General"
        put16(page, 0);
        put8(page, columnFlags(slot));
        put8(page, text && slot.column->compressText ? 0x01 : 0x00);
        put32(page, 0);
        put16(page, slot.fixed ? slot.fixedOffset : 0);
        put16(page, slot.size);
    }
    for (const ColumnSlot& slot : layout.slots) {
        putName(page, slot.column->name);
    }
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        const Index& index = table.indexes[i];
        put32(page, 0);
        for (std::size_t k = 0; k < kIndexColumns; ++k) {
            const bool used = k < keys[i].size();
            put16(page, used ? keys[i][k] : 0xFFFF);
            put8(page, used ? 0x01 : 0x00);  // ascending
        }
        put32(page, input.indexes.at(i).usageMap);
        put32(page, input.indexes.at(i).leafPage);
        std::uint8_t flags = index.primary || index.unique ? 0x01 : 0x00;
        if (index.primary) {
            flags |= 0x08;  // required: no NULL keys
        }
        // Readers take the flags four bytes after the first page, not right after it.
        put32(page, 0);
        put8(page, flags);
        page.resize(page.size() + 5, 0);
    }
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        put32(page, 0);
        put32(page, i);  // logical index number
        put32(page, i);  // the physical index behind it
        put8(page, 0);
        put32(page, 0xFFFFFFFF);  // no foreign key
        put32(page, 0);
        put8(page, 0);
        put8(page, 0);
        put8(page, table.indexes[i].primary ? 0x01 : 0x00);
        put32(page, 0);
    }
    for (const Index& index : table.indexes) {
        putName(page, index.name);
    }
    put16(page, 0xFFFF);  // no long-value usage maps for variable columns

    if (page.size() + 8 > kPageSize) {
        throw WriteError("the definition of table \"" + table.name + "\" needs more than a page");
    }
    const auto length = static_cast<std::uint32_t>(page.size());
    set32(page, 8, length);
    set16(page, 2, static_cast<std::uint16_t>(kPageSize - length - 8));
    page.resize(kPageSize, 0);
    return page;
}

Bytes usageMap(const std::vector<std::uint32_t>& pages) {
    Bytes map;
    put8(map, 0x00);
    put32(map, 0);  // first page covered
    map.resize(map.size() + kMapBytes, 0);
    for (const std::uint32_t page : pages) {
        if (page >= kMapPages) {
            throw WriteError("this writer maps at most " + std::to_string(kMapPages) + " pages");
        }
        map[5 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    }
    return map;
}

Bytes emptyLeafPage(std::uint32_t tableDef) {
    Bytes page;
    put8(page, 0x04);  // index leaf page
    put8(page, 0x01);
    put16(page, static_cast<std::uint16_t>(kPageSize - kLeafEntriesStart));
    put32(page, tableDef);
    put32(page, 0);             // previous leaf
    put32(page, 0);             // next leaf
    put32(page, 0);             // tail leaf
    put16(page, 0);             // shared prefix length
    page.resize(kPageSize, 0);  // entry bitmap and entries: none
    return page;
}

Bytes headerPage() {
    Bytes page(kPageSize, 0);
    page[1] = 0x01;
    const std::string engine = "Standard Jet DB";
    std::copy(engine.begin(), engine.end(), page.begin() + 4);
    set32(page, 0x14, 1);  // Jet 4

    set16(page, 0x3C, 1252);    // code page
    set32(page, 0x3E, 0);       // page key 0: the other pages are stored as they are
    set16(page, 0x6E, 0x0409);  // sort order "General"
    // A fixed creation date (2024-01-01), never the clock. The empty password is stored
    // masked with the date's whole days, as the format does.
    const double created = 45292.0;
    Bytes date;
    putDouble(date, created);
    std::copy(date.begin(), date.end(), page.begin() + 0x72);
    Bytes days;
    put32(days, static_cast<std::uint32_t>(created));
    for (std::size_t i = 0; i < 40; ++i) {
        page[0x42 + i] = days[i % 4];
    }

    rc4({0xC7, 0xDA, 0x39, 0x6B}, page.data() + 0x18, 128);
    return page;
}

}  // namespace veskplan::mdb
