// Compares what the readers report for each test database with the description (src/*.json)
// the file was made from: table names, columns and their kinds, indexes (mdb-schema only: the
// npm reader does not read them) and every value of every row, in order. damaged.mdb has no
// description: reading its veskdata table must fail.
//
//   node verify.mjs --data DIR --mdbtools 0|1 --mdb-reader 0|1
//
// Prints one line per file and reader, the differences under it, and a closing count; exits 1
// on any difference.
import { spawnSync } from "node:child_process";
import { existsSync, readFileSync, readdirSync } from "node:fs";
import path from "node:path";

const args = Object.fromEntries(
    process.argv.slice(2).reduce((pairs, arg, i, all) => {
        if (arg.startsWith("--")) pairs.push([arg.slice(2), all[i + 1]]);
        return pairs;
    }, []),
);
const data = args.data;
const useMdbtools = args.mdbtools === "1";
let MDBReader = null;
if (args["mdb-reader"] === "1") {
    MDBReader = (await import("mdb-reader")).default;
}

const MAX_DIFFS = 20;

// mdbtools writes numbers as the C library does, so the locale is fixed for the comparison.
function run(command, argv) {
    const result = spawnSync(command, argv, { encoding: "utf8", env: { ...process.env, LC_ALL: "C" } });
    if (result.error) throw result.error;
    return result;
}

function runOk(command, argv) {
    const result = run(command, argv);
    if (result.status !== 0) {
        throw new Error(`${command} ${argv.join(" ")} exited ${result.status}: ${result.stderr.trim()}`);
    }
    return result.stdout;
}

const show = (value) => (value === undefined ? "(missing)" : JSON.stringify(value));

// A difference list that stops growing after MAX_DIFFS entries but keeps counting.
class Diffs {
    constructor() {
        this.lines = [];
        this.count = 0;
    }
    add(line) {
        this.count += 1;
        if (this.lines.length < MAX_DIFFS) this.lines.push(line);
    }
    same(where, expected, actual) {
        if (JSON.stringify(expected) !== JSON.stringify(actual)) {
            this.add(`${where}: expected ${show(expected)}, read ${show(actual)}`);
        }
    }
}

function sortedNames(description) {
    return description.tables.map((t) => t.name).sort();
}

// ---- mdb-reader ----------------------------------------------------------------------------

const READER_TYPES = { text: "text", memo: "memo", long: "long", integer: "integer", double: "double", boolean: "boolean" };

function checkWithMdbReader(file, description, diffs) {
    const reader = new MDBReader(readFileSync(file));
    diffs.same("tables", sortedNames(description), reader.getTableNames().sort());
    for (const expected of description.tables) {
        if (!reader.getTableNames().includes(expected.name)) continue;
        const table = reader.getTable(expected.name);
        const columns = table.getColumns();
        diffs.same(`${expected.name} columns`, expected.columns.map((c) => c.name), columns.map((c) => c.name));
        expected.columns.forEach((column, i) => {
            const read = columns[i];
            if (!read) return;
            const at = `${expected.name}.${column.name}`;
            diffs.same(`${at} kind`, READER_TYPES[column.type], read.type);
            if (column.type === "text") diffs.same(`${at} size in bytes`, column.size * 2, read.size);
            if (column.type !== "boolean") {
                diffs.same(`${at} nullable`, column.nullable ?? true, read.nullable);
            }
        });
        diffs.same(`${expected.name} row count`, expected.rows.length, table.rowCount);
        const rows = table.getData();
        diffs.same(`${expected.name} rows read`, expected.rows.length, rows.length);
        expected.rows.forEach((row, r) => {
            if (!rows[r]) return;
            expected.columns.forEach((column, c) => {
                diffs.same(`${expected.name} row ${r + 1} ${column.name}`, row[c], rows[r][column.name]);
            });
        });
    }
}

// ---- mdbtools ------------------------------------------------------------------------------

// RFC 4180 records; each field remembers whether it was quoted, since mdb-export quotes every
// non-empty text and leaves NULL (and the empty text) bare.
function parseCsv(text) {
    const records = [];
    let record = [];
    let i = 0;
    while (i < text.length) {
        let value = "";
        let quoted = false;
        if (text[i] === '"') {
            quoted = true;
            i += 1;
            for (;;) {
                if (i >= text.length) throw new Error("unterminated quoted field");
                if (text[i] === '"') {
                    if (text[i + 1] === '"') {
                        value += '"';
                        i += 2;
                        continue;
                    }
                    i += 1;
                    break;
                }
                value += text[i];
                i += 1;
            }
        } else {
            while (i < text.length && text[i] !== "," && text[i] !== "\n") {
                value += text[i];
                i += 1;
            }
        }
        record.push({ value, quoted });
        if (text[i] === ",") {
            i += 1;
        } else {
            records.push(record);
            record = [];
            i += 1;
        }
    }
    return records;
}

// mdb-export writes a double with 15 significant digits at most.
function sameDouble(expected, text) {
    const read = Number(text);
    return text !== "" && (read === expected || read === Number(expected.toPrecision(15)));
}

function exportedMatches(column, expected, field) {
    switch (column.type) {
        case "text":
        case "memo":
            // NULL and the empty text both come out as a bare empty field.
            if (expected === null || expected === "") return field.value === "" && !field.quoted;
            return field.quoted && field.value === expected;
        case "long":
        case "integer":
            return field.value === (expected === null ? "" : String(expected));
        case "double":
            return expected === null ? field.value === "" : sameDouble(expected, field.value);
        case "boolean":
            return field.value === (expected ? "1" : "0");
        default:
            return false;
    }
}

const ACCESS_TYPES = {
    text: (c) => `Text (${c.size})`,
    memo: () => "Memo/Hyperlink (255)",
    long: () => "Long Integer",
    integer: () => "Integer",
    double: () => "Double",
    boolean: () => "Boolean",
};

function schemaColumns(sql, table) {
    const start = sql.indexOf(`CREATE TABLE [${table}]`);
    if (start < 0) return null;
    const body = sql.slice(start, sql.indexOf(");", start));
    const columns = [];
    for (const line of body.split("\n")) {
        const match = /^\s*\[(.+)\]\s+(.+?)\s*,?\s*$/.exec(line);
        if (match) columns.push({ name: match[1], type: match[2].replace(/ NOT NULL$/, "") });
    }
    return columns;
}

function schemaIndexes(sql, table) {
    const indexes = [];
    const names = (list) => [...list.matchAll(/`([^`]+)`/g)].map((m) => m[1]);
    const prefix = `ALTER TABLE \`${table}\` ADD `;
    for (const line of sql.split("\n")) {
        if (!line.startsWith(prefix)) continue;
        const rest = line.slice(prefix.length);
        let match = /^PRIMARY KEY \((.*)\);$/.exec(rest);
        if (match) {
            indexes.push({ kind: "primary", columns: names(match[1]) });
            continue;
        }
        match = /^(UNIQUE INDEX|INDEX) `([^`]+)` \((.*)\);$/.exec(rest);
        if (match) {
            indexes.push({ kind: match[1] === "INDEX" ? "index" : "unique", name: match[2], columns: names(match[3]) });
        }
    }
    return indexes;
}

function expectedIndexes(table) {
    return (table.indexes ?? []).map((index) =>
        index.primary
            ? { kind: "primary", columns: index.columns }
            : { kind: index.unique ? "unique" : "index", name: index.name, columns: index.columns },
    );
}

function checkWithMdbtools(file, description, diffs) {
    const tables = runOk("mdb-tables", ["-1", file]).split("\n").filter((name) => name !== "");
    diffs.same("tables (mdb-tables)", sortedNames(description), tables.sort());
    for (const expected of description.tables) {
        if (!tables.includes(expected.name)) continue;
        const access = runOk("mdb-schema", ["--no-relations", "-T", expected.name, file]);
        const columns = schemaColumns(access, expected.name);
        diffs.same(
            `${expected.name} columns (mdb-schema)`,
            expected.columns.map((c) => ({ name: c.name, type: ACCESS_TYPES[c.type](c) })),
            columns,
        );
        const mysql = runOk("mdb-schema", ["--no-relations", "--indexes", "-T", expected.name, file, "mysql"]);
        diffs.same(`${expected.name} indexes (mdb-schema)`, expectedIndexes(expected), schemaIndexes(mysql, expected.name));

        const records = parseCsv(runOk("mdb-export", [file, expected.name]));
        const header = records.shift() ?? [];
        diffs.same(`${expected.name} header (mdb-export)`, expected.columns.map((c) => c.name), header.map((f) => f.value));
        diffs.same(`${expected.name} rows (mdb-export)`, expected.rows.length, records.length);
        expected.rows.forEach((row, r) => {
            const record = records[r];
            if (!record) return;
            expected.columns.forEach((column, c) => {
                const field = record[c] ?? { value: undefined, quoted: false };
                if (!exportedMatches(column, row[c], field)) {
                    const read = field.quoted ? JSON.stringify(field.value) : field.value || "(empty)";
                    diffs.add(`${expected.name} row ${r + 1} ${column.name} (mdb-export): expected ${show(row[c])}, read ${read}`);
                }
            });
        });
    }
}

// ---- damaged.mdb -------------------------------------------------------------------------

function damagedWithMdbReader(file) {
    const reader = new MDBReader(readFileSync(file));
    try {
        reader.getTable("veskdata").getData();
    } catch (error) {
        return { refused: true, how: `getTable("veskdata") throws: ${error.message}` };
    }
    return { refused: false, how: "veskdata was read without complaint" };
}

function damagedWithMdbtools(file) {
    const result = run("mdb-export", [file, "veskdata"]);
    const said = result.stderr.trim().split("\n").filter((l) => l !== "").join(" / ");
    if (result.status !== 0) return { refused: true, how: `mdb-export exits ${result.status}: ${said}` };
    return { refused: false, how: `mdb-export exits 0 with ${result.stdout.split("\n").length - 1} lines` };
}

// ---- main --------------------------------------------------------------------------------

const readers = [];
if (useMdbtools) readers.push(["mdbtools", checkWithMdbtools, damagedWithMdbtools]);
if (MDBReader) readers.push(["mdb-reader", checkWithMdbReader, damagedWithMdbReader]);

let passed = 0;
let failed = 0;
const report = (ok, line, details = []) => {
    if (ok) passed += 1;
    else failed += 1;
    console.log(`${ok ? "ok  " : "FAIL"} ${line}`);
    for (const detail of details) console.log(`       ${detail}`);
};

const sources = readdirSync(path.join(data, "src")).filter((name) => name.endsWith(".json")).sort();
for (const source of sources) {
    const name = source.replace(/\.json$/, "");
    const file = path.join(data, `${name}.mdb`);
    const description = JSON.parse(readFileSync(path.join(data, "src", source), "utf8"));
    const rows = description.tables.reduce((sum, t) => sum + t.rows.length, 0);
    for (const [reader, check] of readers) {
        const diffs = new Diffs();
        try {
            if (!existsSync(file)) throw new Error("file missing");
            check(file, description, diffs);
        } catch (error) {
            diffs.add(`could not read: ${error.message}`);
        }
        const what = `${name}.mdb ${reader}: ${description.tables.length} tables, ${rows} rows`;
        const more = diffs.count > diffs.lines.length ? [`... ${diffs.count - diffs.lines.length} more`] : [];
        report(diffs.count === 0, what + (diffs.count ? `, ${diffs.count} differences` : ""), [...diffs.lines, ...more]);
    }
}

const damaged = path.join(data, "damaged.mdb");
for (const [reader, , refuse] of readers) {
    let outcome;
    try {
        outcome = existsSync(damaged) ? refuse(damaged) : { refused: false, how: "file missing" };
    } catch (error) {
        outcome = { refused: true, how: `opening throws: ${error.message}` };
    }
    report(outcome.refused, `damaged.mdb ${reader}: ${outcome.refused ? "refused" : "NOT refused"}`, [outcome.how]);
}

console.log(`verify: ${passed} passed, ${failed} failed (readers: ${readers.map((r) => r[0]).join(", ") || "none"})`);
process.exit(failed === 0 ? 0 : 1);
