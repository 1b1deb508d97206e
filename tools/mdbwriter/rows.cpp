#include "rows.h"

#include "bytes.h"
#include "text.h"

#include <limits>
#include <set>

namespace veskplan::mdb {
namespace {

constexpr std::size_t kRowCountOffset = 12;   // data page: row count, then the row offsets
constexpr std::size_t kMaxRowsPerPage = 255;  // a row address keeps the row number in one byte

std::uint16_t fixedSize(ColumnType type) {
    switch (type) {
        case ColumnType::Boolean:
            return 0;  // the value lives in the null mask
        case ColumnType::Integer:
            return 2;
        case ColumnType::Long:
            return 4;
        case ColumnType::Double:
            return 8;
        default:
            return 0;
    }
}

bool isFixed(ColumnType type) {
    return type != ColumnType::Text && type != ColumnType::Memo && type != ColumnType::LongBinary;
}

std::string where(const Table& table, const Column& column) {
    return "table \"" + table.name + "\", column \"" + column.name + "\"";
}

Bytes encodeValue(const Table& table, const ColumnSlot& slot, const Value& value) {
    const Column& column = *slot.column;
    Bytes out;
    switch (column.type) {
        case ColumnType::Boolean:
            if (!std::holds_alternative<bool>(value)) {
                throw WriteError(where(table, column) + ": expected true or false");
            }
            return out;
        case ColumnType::Integer:
        case ColumnType::Long: {
            const auto* number = std::get_if<std::int64_t>(&value);
            const bool wide = column.type == ColumnType::Long;
            const std::int64_t low = wide ? std::numeric_limits<std::int32_t>::min() : -32768;
            const std::int64_t high = wide ? std::numeric_limits<std::int32_t>::max() : 32767;
            if (number == nullptr || *number < low || *number > high) {
                throw WriteError(where(table, column) + ": expected a whole number that fits");
            }
            if (wide) {
                put32(out, static_cast<std::uint32_t>(*number));
            } else {
                put16(out, static_cast<std::uint16_t>(*number));
            }
            return out;
        }
        case ColumnType::Double: {
            double number = 0;
            if (const auto* real = std::get_if<double>(&value)) {
                number = *real;
            } else if (const auto* whole = std::get_if<std::int64_t>(&value)) {
                number = static_cast<double>(*whole);
            } else {
                throw WriteError(where(table, column) + ": expected a number");
            }
            putDouble(out, number);
            return out;
        }
        case ColumnType::LongBinary:
            throw WriteError(where(table, column) + ": only NULL is written here");
        case ColumnType::Text:
        case ColumnType::Memo: {
            const auto* utf8 = std::get_if<std::string>(&value);
            if (utf8 == nullptr) {
                throw WriteError(where(table, column) + ": expected a text");
            }
            const std::u16string text = utf16FromUtf8(*utf8);
            if (column.type == ColumnType::Text &&
                text.size() > static_cast<std::size_t>(column.maxChars)) {
                throw WriteError(where(table, column) + ": \"" + *utf8 + "\" is longer than " +
                                 std::to_string(column.maxChars) + " characters");
            }
            const Bytes stored = encodeText(text, column.compressText);
            if (column.type == ColumnType::Text) {
                return stored;
            }
            // Memo header: length in three bytes, 0x80 for "the text follows here", then the
            // (unused) long-value page address and four reserved bytes.
            put8(out, static_cast<std::uint8_t>(stored.size()));
            put8(out, static_cast<std::uint8_t>(stored.size() >> 8));
            put8(out, static_cast<std::uint8_t>(stored.size() >> 16));
            put8(out, 0x80);
            put32(out, 0);
            put32(out, 0);
            putBytes(out, stored);
            return out;
        }
    }
    throw WriteError(where(table, column) + ": unknown column kind");
}

}  // namespace

RowLayout layoutRow(const Table& table) {
    if (table.columns.empty() || table.columns.size() > 255) {
        throw WriteError("table \"" + table.name + "\" needs 1 to 255 columns");
    }
    RowLayout layout;
    std::set<std::string> names;
    std::uint16_t fixedEnd = 0;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const Column& column = table.columns[i];
        if (column.name.empty() || !names.insert(column.name).second) {
            throw WriteError("table \"" + table.name + "\": empty or repeated column name \"" +
                             column.name + "\"");
        }
        if (column.type == ColumnType::Text && (column.maxChars < 1 || column.maxChars > 255)) {
            throw WriteError(where(table, column) + ": a text holds 1 to 255 characters");
        }
        ColumnSlot slot;
        slot.column = &column;
        slot.number = static_cast<std::uint16_t>(i);
        slot.fixed = isFixed(column.type);
        if (slot.fixed) {
            slot.fixedOffset = fixedEnd;
            slot.size = fixedSize(column.type);
            fixedEnd = static_cast<std::uint16_t>(fixedEnd + slot.size);
        } else {
            slot.varIndex = layout.varCount++;
            slot.size = column.type == ColumnType::Text
                            ? static_cast<std::uint16_t>(column.maxChars * 2)
                            : 0;
        }
        layout.slots.push_back(slot);
    }
    return layout;
}

Bytes encodeRow(const Table& table, const RowLayout& layout, const Row& row) {
    if (row.size() != layout.slots.size()) {
        throw WriteError("table \"" + table.name + "\": a row has " + std::to_string(row.size()) +
                         " values for " + std::to_string(layout.slots.size()) + " columns");
    }
    const std::size_t columnCount = layout.slots.size();
    Bytes nullMask((columnCount + 7) / 8, 0);  // a set bit means "not null"
    Bytes out;
    put16(out, static_cast<std::uint16_t>(columnCount));

    // Fixed area first, each column at its offset; a null one still takes its bytes.
    std::vector<Bytes> varValues(layout.varCount);
    for (const ColumnSlot& slot : layout.slots) {
        const Value& value = row[slot.number];
        const bool null = std::holds_alternative<std::monostate>(value);
        const bool isBoolean = slot.column->type == ColumnType::Boolean;
        if (null && (isBoolean || !slot.column->nullable)) {
            throw WriteError(where(table, *slot.column) + ": NULL in a column that needs a value");
        }
        Bytes encoded = null ? Bytes{} : encodeValue(table, slot, value);
        const bool set = isBoolean ? std::get<bool>(value) : !null;
        if (set) {
            nullMask[slot.number / 8] |= static_cast<std::uint8_t>(1u << (slot.number % 8));
        }
        if (slot.fixed) {
            encoded.resize(slot.size, 0);
            putBytes(out, encoded);
        } else {
            varValues[slot.varIndex] = std::move(encoded);
        }
    }
    if (layout.varCount > 0) {
        // The variable area, then its end ("eod"), the start of each value from the last to
        // the first, and their number; offsets count from the start of the row.
        std::vector<std::uint16_t> starts;
        for (const Bytes& value : varValues) {
            starts.push_back(static_cast<std::uint16_t>(out.size()));
            putBytes(out, value);
        }
        put16(out, static_cast<std::uint16_t>(out.size()));
        for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
            put16(out, *start);
        }
        put16(out, layout.varCount);
    }
    putBytes(out, nullMask);
    if (out.size() > kPageSize - kRowCountOffset - 4) {
        throw WriteError("table \"" + table.name + "\": a row of " + std::to_string(out.size()) +
                         " bytes does not fit on a page");
    }
    return out;
}

std::vector<std::vector<Bytes>> packRows(const std::vector<Bytes>& rows) {
    std::vector<std::vector<Bytes>> pages;
    std::size_t used = kPageSize;  // forces a first page
    for (const Bytes& row : rows) {
        const std::size_t needed = row.size() + 2;  // the row and its offset entry
        if (pages.empty() || used + needed > kPageSize || pages.back().size() == kMaxRowsPerPage) {
            pages.emplace_back();
            used = kRowCountOffset + 2;
        }
        pages.back().push_back(row);
        used += needed;
    }
    return pages;
}

Bytes dataPage(std::uint32_t tableDef, const std::vector<Bytes>& rows) {
    Bytes page;
    put8(page, 0x01);  // data page
    put8(page, 0x01);
    put16(page, 0);  // free space, set below
    put32(page, tableDef);
    put32(page, 0);
    put16(page, static_cast<std::uint16_t>(rows.size()));
    page.resize(kPageSize, 0);
    std::size_t end = kPageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t start = end - rows[i].size();
        std::copy(rows[i].begin(), rows[i].end(), page.begin() + static_cast<long>(start));
        set16(page, kRowCountOffset + 2 + 2 * i, static_cast<std::uint16_t>(start));
        end = start;
    }
    set16(page, 2, static_cast<std::uint16_t>(end - (kRowCountOffset + 2 + 2 * rows.size())));
    return page;
}

}  // namespace veskplan::mdb
