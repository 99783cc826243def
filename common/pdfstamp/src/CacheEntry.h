// The disk cache's entry format, the same on every system: the key, the value and a checksum over
// both, each a length-prefixed field, in a file named by a hash of the key.
#pragma once

#include <string>

namespace pdfstamp {

std::string EntryName(const std::string& key);
std::string MakeEntry(const std::string& key, const std::string& value);

enum class EntryCheck {
    Match,    // `value` is the entry's
    OtherKey, // the entry is another key's (or unreadable from its start): left in place
    Damaged,  // the key's, damaged or of an older form: to be removed
};
EntryCheck ReadEntry(const std::string& entry, const std::string& key, std::string& value);

} // namespace pdfstamp
