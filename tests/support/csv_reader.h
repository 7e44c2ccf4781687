// A spreadsheet-style CSV reader for the tests: fields split at commas, a field in double
// quotes may hold commas, line breaks and doubled double quotes; records end with CR LF (a
// lone LF too). Independent of the writer it checks.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::testkit {

inline std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    size_t i = 0;
    bool fieldStarted = false;
    const auto endField = [&] {
        row.push_back(field);
        field.clear();
        fieldStarted = false;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (!fieldStarted && c == '"') {
            // A quoted field runs to the quote that is not doubled.
            ++i;
            for (;;) {
                if (i >= text.size()) throw std::runtime_error("unterminated quoted field");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            fieldStarted = true;
            if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                throw std::runtime_error("text after a quoted field");
            continue;
        }
        if (c == ',') {
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            endField();
            rows.push_back(row);
            row.clear();
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else {
            if (c == '"') throw std::runtime_error("double quote inside an unquoted field");
            field += c;
            fieldStarted = true;
            ++i;
        }
    }
    if (fieldStarted || !row.empty()) {
        endField();
        rows.push_back(row);
    }
    return rows;
}

}  // namespace quillon::testkit
