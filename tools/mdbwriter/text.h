#pragma once

#include "mdbwriter.h"

#include <string>
#include <string_view>

namespace veskplan::mdb {

// Throws WriteError on malformed UTF-8, so a bad description never turns into odd bytes.
std::u16string utf16FromUtf8(std::string_view utf8);

Bytes utf16le(const std::u16string& text);

// A Jet 4 text value: the compressed form (0xFF 0xFE, then one byte per character) when every
// character lies in U+0001..U+00FF and that form is shorter, plain UTF-16LE otherwise. Readers
// must handle both, so the test files hold both.
Bytes encodeText(const std::u16string& text, bool allowCompression);

}  // namespace veskplan::mdb
