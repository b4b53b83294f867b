#pragma once

#include <string>
#include <string_view>

namespace centrafix {

// A field's text as typed in one locale, written so that it means the same
// in any other: the default convention of EvalNumber ("." for decimals, ","
// between arguments). Where the locale's separator is "," the user may have
// typed "0,5" or "max(1;2)"; they become "0.5" and "max(1,2)". A text that
// evaluates keeps its value exactly; one that does not ("1/" on the way to
// "1/50") is translated character by character, so it reads back as typed.
std::string CanonicalNumberText(std::string_view typed, std::string_view localeSeparator);

// The opposite: a canonical text as a user of this locale types it ("0,5"
// where the separator is ","), when that reads to the same value; else the
// canonical text, which every locale reads.
std::string LocalNumberText(std::string_view canonical, std::string_view localeSeparator);

} // namespace centrafix
