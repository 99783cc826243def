// The manifest of a command: one record per file it delivered or failed to deliver, as JSON,
// or as CSV when the file's name ends in ".csv".
#pragma once

#include <string>
#include <vector>

#include "DeliveryLedger.h"

namespace plmclient {

struct ManifestHeader {
    std::string command;
    std::string selection;
    std::string result;  // the command's HRESULT, "0x..."
    int exitStatus = 0;
};

// The CSV's columns and the JSON's keys of a file, in order.
const std::vector<std::string>& ManifestFields();
// A record's values in the order of ManifestFields (numbers and booleans as text).
std::vector<std::string> ManifestValues(const DeliveryRecord& r);

// False with the reason when the file cannot be written.
bool WriteManifest(const std::string& path, const ManifestHeader& header, const std::vector<DeliveryRecord>& records,
    std::string& error);

} // namespace plmclient
