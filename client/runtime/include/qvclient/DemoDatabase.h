// The demo PLM database: a product the way a real PLM system holds it, with its size as a
// parameter, so that the same generator makes the demo and the large structures of benchmarks.
//
// The structure: a top assembly; each assembly above the lowest level holds `assemblies`
// sub-assemblies, and every assembly holds `partsPerLevel` parts; the first assembly of the
// lowest level is also used a second time, under the last assembly of the level above. Every
// part (assemblies too) has `documentsPerPart` documents of the four classes in turn (drawing,
// 3D model, process card, specification), each with `filesPerDocument` light files of its
// current revision (PDF, DWG, STEP as ".stp" or ".step", XLSX); every fifth document also has an
// older revision, and every seventh an older iteration, whose files are no longer current. A
// folder tree, a workflow item, users, signatures and the client's configuration come with it.
#pragma once

#include <string>

#include <windows.h>

namespace qvclient {

struct DemoSize {
    int assemblies = 2;       // sub-assemblies of each assembly above the lowest level
    int levels = 3;           // assembly levels, the top assembly included
    int partsPerLevel = 2;    // parts of each assembly besides its sub-assemblies
    int documentsPerPart = 4; // documents of each part and assembly: one of each class
    int filesPerDocument = 2; // light files of each document's current revision
    int pdfPages = 3;         // pages of each PDF
    // PDFs, DWGs, STEPs and spreadsheets made one by one, per kind; the light files beyond share
    // the vault content of these in turn (each still has its own stored file and downloads).
    int distinctFiles = 64;

    static DemoSize Small() { return {}; }
    // 40 assemblies, 1,000 parts, 10,000 documents, 30,000 current light files.
    static DemoSize Large() { return {3, 4, 24, 10, 3, 2, 64}; }

    int AssemblyCount() const;
    int PartCount() const;      // assemblies included
    int DocumentCount() const;
    int LightFileCount() const; // of the current revisions
};

// "small", "large", or "key=value" pairs separated by commas (keys: assemblies, levels, parts,
// docs, files, pages, distinct), applied to the small size. False with a message for the user.
bool ParseDemoSize(const std::string& text, DemoSize& size, std::string& error);

// What CreateDemoDatabase made, for the program's message and for tests and benchmarks.
struct DemoDatabaseInfo {
    LONG topAssemblyId = 0;
    LONG productFolderId = 0; // class "FolderOfProduct"
    LONG workflowItemId = 0;
    int parts = 0;
    int documents = 0;
    int currentLightFiles = 0;
    int formerLightFiles = 0; // of older revisions and iterations
    int vaultFiles = 0;
    int signatures = 0;
};

// Makes the client folder (an existing database is replaced). The same size gives the same
// database and vault, byte for byte.
HRESULT CreateDemoDatabase(const std::wstring& folder, const DemoSize& size, DemoDatabaseInfo* pInfo = nullptr,
    const std::string& ownerConnection = {});

} // namespace qvclient
