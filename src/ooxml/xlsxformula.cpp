#include "ooxml/xlsxformula.h"

#include "ooxml/xlsxcellref.h"

#include <QList>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

enum class Kind {
    Text,     // "string literal"
    Quoted,   // 'quoted sheet name'
    Bracket,  // [external book] or [structured reference]
    Error,    // #REF!, #N/A ...
    Word,     // names, functions, numbers, unquoted sheet names, A1 references
    Other,    // one operator or punctuation character
};

struct Token {
    Kind kind;
    QStringView text;
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\';
}

// Length of the token starting with the quote character at `from`, closing quote included;
// a doubled quote inside stands for one.
qsizetype quotedLength(QStringView text, qsizetype from, QChar quote) {
    qsizetype i = from + 1;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1 - from;
        }
        ++i;
    }
    return text.size() - from;  // unterminated: the rest is one token
}

qsizetype bracketLength(QStringView text, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'[') {
            ++depth;
        } else if (text[i] == u']' && --depth == 0) {
            return i + 1 - from;
        }
    }
    return text.size() - from;
}

qsizetype errorLength(QStringView text, qsizetype from) {
    qsizetype i = from + 1;
    while (i < text.size() && (text[i].isLetterOrNumber() || text[i] == u'/' || text[i] == u'_')) {
        ++i;
    }
    if (i < text.size() && (text[i] == u'!' || text[i] == u'?')) {
        ++i;
    }
    return i - from;
}

QList<Token> tokenize(QStringView text) {
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        Kind kind = Kind::Other;
        qsizetype length = 1;
        if (c == u'"') {
            kind = Kind::Text;
            length = quotedLength(text, i, c);
        } else if (c == u'\'') {
            kind = Kind::Quoted;
            length = quotedLength(text, i, c);
        } else if (c == u'[') {
            kind = Kind::Bracket;
            length = bracketLength(text, i);
        } else if (c == u'#') {
            kind = Kind::Error;
            length = errorLength(text, i);
        } else if (isWordChar(c)) {
            kind = Kind::Word;
            while (i + length < text.size() && isWordChar(text[i + length])) {
                ++length;
            }
        }
        tokens.append({kind, text.sliced(i, length)});
        i += length;
    }
    return tokens;
}

bool isOther(const QList<Token>& tokens, qsizetype i, QChar c) {
    return i >= 0 && i < tokens.size() && tokens[i].kind == Kind::Other && tokens[i].text[0] == c;
}

bool isWord(const QList<Token>& tokens, qsizetype i) {
    return i >= 0 && i < tokens.size() && tokens[i].kind == Kind::Word;
}

QString unquote(QStringView quoted) {
    QStringView inner = quoted.sliced(1);
    if (inner.endsWith(u'\'')) {
        inner.chop(1);
    }
    return inner.toString().replace(u"''"_s, u"'"_s);
}

// One part of a reference: "$A", "A", "$15" or "15", with its fixed mark.
struct Part {
    bool fixed = false;
    int value = 0;
};

std::optional<Part> parseColumn(QStringView text) {
    Part part;
    if (text.startsWith(u'$')) {
        part.fixed = true;
        text = text.sliced(1);
    }
    part.value = XlsxCellRef::columnNumber(text);
    return part.value > 0 ? std::optional(part) : std::nullopt;
}

std::optional<Part> parseRow(QStringView text) {
    Part part;
    if (text.startsWith(u'$')) {
        part.fixed = true;
        text = text.sliced(1);
    }
    if (text.isEmpty() || text.size() > 7 || text[0] == u'0') {
        return std::nullopt;
    }
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        part.value = part.value * 10 + (c.unicode() - u'0');
    }
    return part.value <= XlsxCellRef::kMaxRow ? std::optional(part) : std::nullopt;
}

// Splits "$A$15" into its column and row parts.
std::optional<std::pair<Part, Part>> parseCell(QStringView text) {
    qsizetype split = text.startsWith(u'$') ? 1 : 0;
    while (split < text.size() && text[split].isLetter()) {
        ++split;
    }
    const auto column = parseColumn(text.first(split));
    const auto row = parseRow(text.sliced(split));
    if (!column || !row) {
        return std::nullopt;
    }
    return std::pair(*column, *row);
}

// The moved part as text, or nullopt when it leaves the sheet.
std::optional<QString> movedColumn(Part part, int by) {
    const int value = part.fixed ? part.value : part.value + by;
    if (value < 1 || value > XlsxCellRef::kMaxColumn) {
        return std::nullopt;
    }
    return (part.fixed ? u"$"_s : QString()) + XlsxCellRef::columnName(value);
}

std::optional<QString> movedRow(Part part, int by) {
    const int value = part.fixed ? part.value : part.value + by;
    if (value < 1 || value > XlsxCellRef::kMaxRow) {
        return std::nullopt;
    }
    return (part.fixed ? u"$"_s : QString()) + QString::number(value);
}

const QString kRef = u"#REF!"_s;

}  // namespace

QString XlsxFormula::renameSheets(QStringView formula, const SheetMap& sheets) {
    const QList<Token> tokens = tokenize(formula);
    QString out;
    out.reserve(formula.size());
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const bool prefix =
            isOther(tokens, i + 1, u'!') &&
            (token.kind == Kind::Quoted ||
             (token.kind == Kind::Word && (i == 0 || tokens[i - 1].kind != Kind::Bracket)));
        if (!prefix) {
            out += token.text;
            continue;
        }
        const QString name =
            token.kind == Kind::Quoted ? unquote(token.text) : token.text.toString();
        const auto found = sheets.constFind(name.toLower());
        if (found == sheets.constEnd()) {
            out += token.text;
            continue;
        }
        if (found->has_value()) {
            out += quoteSheetName(**found);
            out += u'!';
        } else {
            out += kRef;
        }
        ++i;  // the "!" is written
    }
    return out;
}

QString XlsxFormula::shift(QStringView formula, int rows, int columns) {
    const QList<Token> tokens = tokenize(formula);
    QString out;
    out.reserve(formula.size() + 8);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        // Sheet names (before "!") and function names (before "(") are words but no references.
        if (token.kind != Kind::Word || isOther(tokens, i + 1, u'!') ||
            isOther(tokens, i + 1, u'(')) {
            out += token.text;
            continue;
        }
        if (const auto cell = parseCell(token.text)) {
            const auto column = movedColumn(cell->first, columns);
            const auto row = movedRow(cell->second, rows);
            out += column && row ? *column + *row : kRef;
            continue;
        }
        // Whole columns (A:C) and whole rows (3:5) come as word ":" word.
        const bool rangeStart = isOther(tokens, i + 1, u':') && isWord(tokens, i + 2);
        const bool rangeEnd = isOther(tokens, i - 1, u':') && isWord(tokens, i - 2);
        const QStringView other = rangeStart ? tokens[i + 2].text
                                  : rangeEnd ? tokens[i - 2].text
                                             : QStringView();
        if (other.isNull()) {
            out += token.text;
            continue;
        }
        if (parseColumn(token.text) && parseColumn(other)) {
            out += movedColumn(*parseColumn(token.text), columns).value_or(kRef);
        } else if (parseRow(token.text) && parseRow(other)) {
            out += movedRow(*parseRow(token.text), rows).value_or(kRef);
        } else {
            out += token.text;
        }
    }
    return out;
}

QString XlsxFormula::quoteSheetName(const QString& name) {
    bool plain = !name.isEmpty() && (name[0].isLetter() || name[0] == u'_');
    for (QChar c : name) {
        const bool ascii = c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'_' || c == u'.');
        plain = plain && ascii;
    }
    // Names that read as a reference or a value must be quoted: A1, R1C1, R, C12, TRUE.
    if (plain) {
        const QString upper = name.toUpper();
        const bool looksLikeCell = parseCell(name).has_value();
        qsizetype i = 0;
        auto digits = [&] {
            while (i < upper.size() && upper[i].isDigit()) {
                ++i;
            }
        };
        if (i < upper.size() && upper[i] == u'R') {
            ++i;
            digits();
        }
        if (i < upper.size() && upper[i] == u'C') {
            ++i;
            digits();
        }
        const bool looksLikeR1C1 = i == upper.size();
        plain = !looksLikeCell && !looksLikeR1C1 && upper != u"TRUE"_s && upper != u"FALSE"_s;
    }
    if (plain) {
        return name;
    }
    return u'\'' + QString(name).replace(u"'"_s, u"''"_s) + u'\'';
}

}  // namespace veskplan
