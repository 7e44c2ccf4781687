// The copy history of a run: every text a window puts on the clipboard, with where it came
// from, kept in memory (at most kCopyLogLimit entries, the oldest dropped first) until the
// user saves it as CSV.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host.h"

namespace quillon {

class Form;

inline constexpr size_t kCopyLogLimit = 1000;

struct CopyEntry {
    std::uint64_t serial = 0;  // given by the log: 1 for the run's first copy, then counting up
    DateTime time;
    std::string window;         // class name, "frmRPM"
    std::string caption;        // the window's caption
    std::string button;         // the control's name, or the key ("Enter", "+")
    std::string buttonCaption;  // its caption; its tooltip when it has none; the key for a key
    std::string text;           // what went on the clipboard
    bool activated = false;     // the control's window was brought forward
    // The window's entry fields then: every unlocked text box that held text, in tab order.
    std::vector<std::pair<std::string, std::string>> inputs;
};

class CopyLog {
public:
    // Told of every change: the entry just added, or nullptr when the log was emptied.
    using Listener = std::function<void(const CopyEntry* added)>;

    // Adds an entry (its serial is set here) and tells the listeners.
    void Add(CopyEntry entry);
    void Clear();
    // At most `limit` entries from now on (at least one); the oldest beyond it go at once.
    // kCopyLogLimit unless a test or the soak test's build asks for fewer.
    void SetLimit(size_t limit);
    // Oldest first.
    const std::deque<CopyEntry>& Entries() const { return entries_; }
    // The entry with this serial, or nullptr once it has been dropped.
    const CopyEntry* Find(std::uint64_t serial) const;

    // Returns a handle for Unsubscribe. Listeners may subscribe or unsubscribe while told.
    int Subscribe(Listener listener);
    void Unsubscribe(int handle);

private:
    void Tell(const CopyEntry* added);

    std::deque<CopyEntry> entries_;
    size_t limit_ = kCopyLogLimit;
    std::uint64_t nextSerial_ = 1;
    std::map<int, Listener> listeners_;
    int nextHandle_ = 1;
};

// An entry for a copy `form` makes now: the time from the host, the window, the control (or
// key) whose event is running, and the window's entry fields.
CopyEntry DescribeCopy(Form& form, const std::string& text, bool activated);

// "2026-12-08 15:04:05" and "15:04:05".
std::string DateTimeText(const DateTime& t);
std::string TimeText(const DateTime& t);
// "2026-12-08T15:04:05" (the command line's form), and its reading; nothing for any other
// text or an impossible date.
std::string IsoDateTimeText(const DateTime& t);
std::optional<DateTime> ParseIsoDateTime(std::string_view text);
// The date and time `seconds` after midnight of the given day (seconds may pass midnight).
DateTime AddSeconds(const DateTime& midnight, long long seconds);
// The real local date and time of this computer.
DateTime LocalNow();

// The entry fields as one text: "Text1=40 Text2=30".
std::string InputsText(const CopyEntry& entry);
// The number of lines of a text (CR LF, LF or CR end a line; a break at the very end starts
// no further line); 0 for an empty text.
size_t LineCount(std::string_view text);
// The text up to its first line break.
std::string FirstLine(std::string_view text);

// The history as a spreadsheet reads it: the header `日時,ウィンドウ,ボタン,コピー内容,入力`
// and one line per entry, oldest first, in CP932 with CR LF. A character CP932 cannot hold
// (or a byte that is no UTF-8) is written as "?", the rest of its text kept.
struct CsvFile {
    std::string bytes;
    size_t replaced = 0;  // characters written as "?"
};
CsvFile CopyLogCsv(const std::deque<CopyEntry>& entries);
// One field quoted as spreadsheets quote: in double quotes, inner ones doubled, when it holds
// a comma, a double quote, CR or LF; as it is otherwise.
std::string CsvField(std::string_view field);
// The CP932 bytes of UTF-8 text with "?" for each character that has no exact CP932 form;
// `replaced` counts them.
std::string Cp932Lossy(std::string_view utf8, size_t& replaced);

}  // namespace quillon
