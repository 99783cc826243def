// Finds the verification mark of a delivered file: a PDF's XMP metadata, else the QR code on its
// pages; a scanned page (PNG, JPEG) by its QR code.
#pragma once

#include <string>

#include <qvclient/VerificationMark.h>

namespace plmclient {

struct MarkFound {
    bool found = false;
    std::string where; // "XMP metadata", "QR code on page 2", "QR code"
    std::string error; // why nothing could be read, when !found
};

MarkFound ReadMark(const std::string& path, qvclient::MarkContent& content);

} // namespace plmclient
