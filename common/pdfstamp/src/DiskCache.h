// What one stamping process worked out and the next can reuse (the faces that draw a text, a
// font's subset), kept as small files under $XDG_CACHE_HOME (else ~/.cache) in
// "VuverIverIzizerOzi/pdfstamp". Each entry holds its whole key, so a hash collision is a miss,
// and a checksum, so an entry damaged in place is a miss (and is removed). Folders that are not
// the user's own, or that others may write, are not used at all. The cache is only ever a
// shortcut: an entry that cannot be read or written is a miss. It holds at most a thousand
// entries (tens of MB); a write past that removes the oldest quarter.
#pragma once

#include <string>

namespace pdfstamp {

bool ReadCached(const std::string& key, std::string& value);
void WriteCached(const std::string& key, const std::string& value);

// The file's size and modification time, or "-" when it has none: part of a key, so that an entry
// made from a file goes stale when the file changes.
std::string FileStamp(const std::string& path);

// Length-prefixed fields, for keys and values made of several strings.
void AppendField(std::string& out, const std::string& field);
bool ReadField(const std::string& in, size_t& pos, std::string& field);

} // namespace pdfstamp
