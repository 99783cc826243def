// The verification mark the watermark component puts on a delivered PDF: what it says (the light
// file, its document, class and revision, the SHA-256 of the stored file it was made from, the
// user it was issued to, the day), how that is written into a QR code and the PDF's XMP metadata,
// and how it is read back.
#pragma once

#include <objbase.h>

#include <functional>
#include <string>

namespace qvclient {

struct MarkContent {
    LONG lightFileId = 0;
    LONG documentId = 0;
    std::wstring className; // the document's class: Document, Drawing, CappDocument, 3DDocument
    LONG revisionId = 0;
    std::string sha256;     // 64 lower-case hex digits
    std::wstring user;
    std::string date;       // YYYY-MM-DD
};

// One ASCII line, the QR code's text: "PLMMARK2 <lf> <doc> <rev> <date> <sha256> <user> <class>", the
// checksum's 32 bytes in base32 (RFC 4648, no padding), the user and class percent-encoded as UTF-8.
std::string FormatMarkText(const MarkContent& content);
// False for a text that is not a whole mark. Copies delivered before carry the keyed format
// "PLMMARK1 lf=..;doc=..;class=..;rev=..;sha256=<hex>;user=..;date=..", read as well.
bool ParseMarkText(const std::string& text, MarkContent& content);

// The short code printed beside the QR code, for a person to read out: "LF<id> R<rev> <sha:8>".
std::wstring MarkCaption(const MarkContent& content);

// An XMP packet that holds the mark (its text, and each field for a person who reads it).
std::string MakeMarkXmp(const MarkContent& content);
// The mark in an XMP packet; false when it holds none.
bool ReadMarkXmp(const std::string& xmp, MarkContent& content);

// Where the mark goes, from the client's settings.
struct MarkPlacement {
    bool on = true;
    int corner = 0;     // 0 bottom left, 1 top left, 2 top right, 3 bottom right
    double size = 64;   // points, the code's quiet zone included
    double margin = 24; // points from the two nearest edges
};

// What the client knows of a file it delivered: false when the path is none of its files (then
// the PDF gets the watermark alone).
using MarkSource = std::function<bool(const std::wstring& path, MarkContent& content)>;
void SetMarkSource(MarkSource source, const MarkPlacement& placement);

} // namespace qvclient
