// What the demo database tests share: a scratch client folder, the client opened on it, and
// the database read as the module reads it.
#pragma once

#include <string>
#include <vector>

#include <qvclient/Client.h>
#include <qvclient/DemoDatabase.h>

#include "ScratchFolder.h"

namespace demotest {

using viztest::ReadPosixFile;
using viztest::ScratchFolder;

struct DocumentRef {
    std::wstring className;
    LONG id = 0;
};

struct LightFileRow {
    LONG id = 0;
    std::wstring name;
    LONG revisionId = 0;
};

// Every document of the four classes, by class and id.
std::vector<DocumentRef> AllDocuments(qvclient::IDatabase& database);
// The light files the module's query finds for a document (light file class 5250).
std::vector<LightFileRow> ModuleLightFiles(qvclient::IDatabase& database, const DocumentRef& document);
// Every row of a query as text, fields separated by tabs, rows by new lines.
std::string Rows(qvclient::IDatabase& database, const std::wstring& sql);
LONG Count(qvclient::IDatabase& database, const std::wstring& sql);

// Every table the demo fills, row by row, and every stored file's content.
std::string DumpDatabase(qvclient::IDatabase& database);
std::string DumpVault(const qvclient::Client& client);


} // namespace demotest
