// Questions about a window's fields that several windows ask.
#pragma once

#include <initializer_list>
#include <span>

#include "form.h"
#include "numtext.h"

namespace quillon {

// True when every named field is given (holds text, blanks included).
inline bool AllGiven(Form& form, std::span<const char* const> fields) {
    for (const char* f : fields)
        if (!IsGiven(form[f].Text)) return false;
    return true;
}

inline bool AllGiven(Form& form, std::initializer_list<const char*> fields) {
    return AllGiven(form, std::span(fields.begin(), fields.size()));
}

}  // namespace quillon
