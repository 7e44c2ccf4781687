// The machine table reader on any bytes, any line ends, unterminated quotes: it never reads more
// than 51 records, every field is well-formed UTF-8 text of one line, and the same bytes read
// after a byte-order mark give the same table when they are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "machining/machine_table.h"
#include "shell/utf8.h"

namespace {

using quillon::MachineTable;
using quillon::fuzz::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MachineTable table = MachineTable::Parse(bytes);
    Require(table.Records().size() <= MachineTable::kRecords, "more than 51 records");
    for (size_t r = 0; r < table.Records().size(); ++r)
        for (const std::string& field : table.Records()[r]) {
            Require(quillon::utf8::IsValid(field), "a field that is not UTF-8");
            Require(field.find_first_of("\r\n") == std::string::npos, "a field spans lines");
            Require(field.size() <= size * 3, "a field longer than the file");
        }
    // Cells the file does not have read as empty.
    Require(table.Field(MachineTable::kRecords, 0).empty(), "a 52nd record");
    Require(table.Field(0, MachineTable::kFields).empty(), "a 16th field");

    if (quillon::utf8::IsValid(bytes)) {
        const MachineTable marked = MachineTable::Parse("\xEF\xBB\xBF" + std::string(bytes));
        Require(marked.Records() == table.Records(), "a byte-order mark changes the table");
    }
    return 0;
}
