// The thread systems of the thread-data card: per system its tab caption, the header of its
// columns, the note on its flank angle or taper, how its columns are laid out and its sizes.
#pragma once

#include <string>
#include <vector>

namespace quillon {

// Where a system's columns sit in a line, positions counted from 1.
struct ThreadColumns {
    int sizeWidth;   // the size, left-aligned in positions 1 to sizeWidth
    int tpiEnd;      // the whole part of the threads per inch ends here; 0 for no such column
    int pitchStart;  // the pitch starts here
    int drillEnd;    // the tap drill, right-aligned, ends here
    int heightEnd;   // the thread height, right-aligned, ends here; 0 for no such column
};

// One size as the card shows it: every value is the exact text of its column.
struct ThreadSize {
    const char* size;
    const char* tpi;  // threads per inch ("11.5"); empty for the metric system
    const char* pitch;
    const char* drill;
    const char* height;  // empty where the system has no height column
};

struct ThreadSystem {
    const char* tab;
    const char* header;
    const char* note;
    ThreadColumns columns;
    std::vector<ThreadSize> sizes;
};

// The nine systems in tab order.
const std::vector<ThreadSystem>& ThreadSystems();

// The line of one size, padded with blanks so that its columns line up under the header.
std::string ThreadLine(const ThreadColumns& columns, const ThreadSize& size);

}  // namespace quillon
