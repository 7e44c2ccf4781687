// The copy history's CSV writer on any texts: the input is split at 0x1F into the texts of
// entries (copied text, caption, button caption, an entry field), bytes that are no UTF-8 and
// characters CP932 lacks included. A spreadsheet-style reader then finds the header and one
// record of five fields per entry, each field the entry's text with "?" for what CP932 cannot
// hold, whatever commas, quotes and line breaks the texts hold.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "../tests/support/csv_reader.h"
#include "fuzz_check.h"
#include "shell/copy_log.h"
#include "shell/cp932.h"

namespace {

using quillon::fuzz::Require;

std::vector<std::string> Split(std::string_view bytes) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find('\x1f', start);
        parts.emplace_back(bytes.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// A field as it reads back: the CP932 bytes the writer gives it, decoded.
std::string ReadBack(const std::string& text) {
    size_t replaced = 0;
    return quillon::cp932::ToUtf8(quillon::Cp932Lossy(text, replaced));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    const std::vector<std::string> parts =
        Split(std::string_view(reinterpret_cast<const char*>(data), size));
    std::deque<quillon::CopyEntry> entries;
    for (size_t i = 0; i + 4 <= parts.size() || (i < parts.size() && entries.empty()); i += 4) {
        quillon::CopyEntry e;
        e.time = {2026, 12, 8, 15, 4, 5};
        const auto part = [&](size_t k) { return i + k < parts.size() ? parts[i + k] : ""; };
        e.text = part(0);
        e.caption = part(1);
        e.buttonCaption = part(2);
        e.inputs.emplace_back("Text1", part(3));
        entries.push_back(e);
    }
    const quillon::CsvFile csv = quillon::CopyLogCsv(entries);
    Require(csv.bytes.size() >= 2 && csv.bytes.compare(csv.bytes.size() - 2, 2, "\r\n") == 0,
            "the file does not end with CR LF");
    std::vector<std::vector<std::string>> rows;
    try {
        rows = quillon::testkit::ReadCsv(quillon::cp932::ToUtf8(csv.bytes));
    } catch (const std::exception& e) {
        quillon::fuzz::Fail(std::string("a spreadsheet cannot read the file: ") + e.what());
    }
    Require(rows.size() == entries.size() + 1, "not one record per entry");
    Require(
        rows[0] == std::vector<std::string>{"日時", "ウィンドウ", "ボタン", "コピー内容", "入力"},
        "the header changed");
    for (size_t r = 0; r < entries.size(); ++r) {
        const auto& row = rows[r + 1];
        const auto& e = entries[r];
        Require(row.size() == 5, "a record without five fields");
        Require(row[0] == "2026-12-08 15:04:05", "the date changed");
        Require(row[1] == ReadBack(e.caption), "the caption changed");
        Require(row[2] == ReadBack(e.buttonCaption), "the button changed");
        Require(row[3] == ReadBack(e.text), "the text changed");
        Require(row[4] == ReadBack("Text1=" + e.inputs[0].second), "the entry fields changed");
    }
    return 0;
}
