#include "copy_log.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unordered_map>

#include "cp932.h"
#include "form.h"
#include "module1.h"
#include "utf8.h"

namespace quillon {

// ---- the log ----

void CopyLog::Add(CopyEntry entry) {
    entry.serial = nextSerial_++;
    while (entries_.size() >= limit_) entries_.pop_front();
    entries_.push_back(std::move(entry));
    // Listeners get a copy that stays valid while one of them adds or clears.
    const CopyEntry added = entries_.back();
    Tell(&added);
}

void CopyLog::SetLimit(size_t limit) {
    limit_ = std::max<size_t>(limit, 1);
    while (entries_.size() > limit_) entries_.pop_front();
}

void CopyLog::Clear() {
    entries_.clear();
    Tell(nullptr);
}

const CopyEntry* CopyLog::Find(std::uint64_t serial) const {
    // Serials rise from the oldest entry to the newest.
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), serial,
                         [](const CopyEntry& e, std::uint64_t s) { return e.serial < s; });
    return it != entries_.end() && it->serial == serial ? &*it : nullptr;
}

int CopyLog::Subscribe(Listener listener) {
    const int handle = nextHandle_++;
    listeners_.emplace(handle, std::move(listener));
    return handle;
}

void CopyLog::Unsubscribe(int handle) {
    listeners_.erase(handle);
}

void CopyLog::Tell(const CopyEntry* added) {
    // A copy of the table: a listener may subscribe or unsubscribe while it is told.
    std::vector<int> handles;
    for (const auto& [handle, listener] : listeners_) handles.push_back(handle);
    for (const int handle : handles) {
        const auto it = listeners_.find(handle);
        if (it == listeners_.end()) continue;
        const Listener listener = it->second;
        listener(added);
    }
}

// ---- what a copy records ----

CopyEntry DescribeCopy(Form& form, const std::string& text, bool activated) {
    CopyEntry e;
    e.time = form.M().host.Now();
    e.window = form.ClassName();
    e.caption = form.Caption;
    e.text = text;
    e.activated = activated;
    const std::string* control = form.FiringControl();
    const Control* c = control && *control != "Form" ? form.Find(*control) : nullptr;
    const Key* key = form.DeliveredKey();
    if (key && (!c || c->Kind() != ControlKind::CommandButton)) {
        // A key the window or a field took: the key names the action.
        e.button = KeyName(*key);
        e.buttonCaption = e.button;
    } else if (c) {
        e.button = c->Name();
        e.buttonCaption = c->Text.empty() ? c->ToolTip : c->Text;
    }
    for (const auto& field : form.Controls())
        if (field->Kind() == ControlKind::TextBox && !field->Locked && !field->Text.empty())
            e.inputs.emplace_back(field->Name(), field->Text);
    return e;
}

// ---- dates and times ----

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

std::string Format(const char* pattern, int a, int b, int c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, pattern, a, b, c);
    return buf;
}

}  // namespace

std::string DateTimeText(const DateTime& t) {
    return Format("%04d-%02d-%02d ", t.year, t.month, t.day) + TimeText(t);
}

std::string TimeText(const DateTime& t) {
    return Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string IsoDateTimeText(const DateTime& t) {
    return Format("%04d-%02d-%02dT", t.year, t.month, t.day) + TimeText(t);
}

std::optional<DateTime> ParseIsoDateTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS exactly.
    static constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != kShape.size()) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    const auto num = [&](size_t at, size_t len) {
        int v = 0;
        for (size_t i = at; i < at + len; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    DateTime t{num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)};
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

DateTime AddSeconds(const DateTime& midnight, long long seconds) {
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) rest += 86400, --days;
    DateTime t;
    CivilFromDays(DaysFromCivil(midnight.year, midnight.month, midnight.day) + days, t.year,
                  t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

DateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// ---- texts ----

std::string InputsText(const CopyEntry& entry) {
    std::string out;
    for (const auto& [name, text] : entry.inputs) {
        if (!out.empty()) out += ' ';
        out += name + "=" + text;
    }
    return out;
}

size_t LineCount(std::string_view text) {
    if (text.empty()) return 0;
    size_t lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i + 1 < text.size()) ++lines;
    }
    return lines;
}

std::string FirstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

// ---- CSV ----

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
    std::string out = "\"";
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string Cp932Lossy(std::string_view utf8, size_t& replaced) {
    // Most texts convert whole; only a text with a character outside the code page (or bytes
    // that are no UTF-8) goes character by character.
    if (auto whole = cp932::FromUtf8(utf8)) return *whole;
    std::string out;
    std::unordered_map<char32_t, std::optional<std::string>> known;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto [cp, len] = utf8::Decode(utf8.substr(i));
        if (len == 0 || !utf8::IsValid(utf8.substr(i, len))) {
            out += '?';
            ++replaced;
            i += len == 0 ? 1 : len;
            continue;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            auto it = known.find(cp);
            if (it == known.end())
                it = known.emplace(cp, cp932::FromUtf8(utf8.substr(i, len))).first;
            if (it->second) {
                out += *it->second;
            } else {
                out += '?';
                ++replaced;
            }
        }
        i += len;
    }
    return out;
}

CsvFile CopyLogCsv(const std::deque<CopyEntry>& entries) {
    std::string text = "日時,ウィンドウ,ボタン,コピー内容,入力\r\n";
    for (const CopyEntry& e : entries) {
        text += CsvField(DateTimeText(e.time)) + ',' + CsvField(e.caption) + ',' +
                CsvField(e.buttonCaption) + ',' + CsvField(e.text) + ',' + CsvField(InputsText(e)) +
                "\r\n";
    }
    CsvFile file;
    file.bytes = Cp932Lossy(text, file.replaced);
    return file;
}

}  // namespace quillon
