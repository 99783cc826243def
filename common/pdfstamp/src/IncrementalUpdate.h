// PDF's incremental update: objects appended after a file's end with a cross-reference section
// of their own, whose trailer points back at the file's last one. Readers take an object's last
// definition, so the file's own bytes stay as they are.
#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <set>
#include <string>
#include <vector>

namespace pdfstamp {

// How a file ends: what an update appended to it refers back to.
struct FileEnd {
    long long size = 0;       // the update's offsets count on from here
    long long lastXref = 0;   // where the file's last cross-reference section starts
    bool xrefStream = false;  // that section is a cross-reference stream, so the update's is too
    bool endsInEol = false;
};

// Reads the last "startxref" of the file and looks at the section it names. False when the file
// does not end as a PDF does.
bool FindFileEnd(const std::string& bytes, FileEnd& end);

// The bytes that append `objects` (indirect objects, none twice) to a file ending as `end`. The
// new trailer keeps the old one's entries but those of its cross-reference section, and sizes the
// file at `size` object numbers (one more for a cross-reference stream, which takes `size`).
// Streams that have no filter, but those in `plain`, are deflated when that makes them smaller.
std::string MakeUpdate(const FileEnd& end, QPDFObjectHandle trailer, int size, const std::vector<QPDFObjectHandle>& objects,
    const std::set<QPDFObjGen>& plain = {});

} // namespace pdfstamp
