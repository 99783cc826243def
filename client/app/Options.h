// plmclient's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plmclient {

struct SignPdfArgs {
    unsigned long docId = 0;
    std::wstring className;
    long revId = 0;
    std::wstring pdfPath;
};

struct Options {
    std::wstring dbFolder;
    std::string server;              // a PostgreSQL connection string; the folder remembers it
    std::string owner;               // the connection that makes the sample or demo on the server
    bool createSample = false;
    std::optional<std::string> createDemo; // the demo database's size ("small", "large", "key=n,...")
    std::optional<std::wstring> user;
    std::wstring command;            // one of the module's exports
    std::wstring selection;          // "Class:id"
    std::vector<std::wstring> attached; // workflow: attached objects instead of the item's own links
    std::optional<SignPdfArgs> sign;
    std::vector<std::string> scriptLines; // from --script files and --do, in order
    bool interactive = false;        // a person at the terminal instead of a script
    bool json = false;
    std::string transcriptFile;
    std::string verifyFile;          // a delivered PDF or a scanned page whose mark is checked
    std::string printBook;           // print jobs become this one PDF
    std::wstring moduleName = L"VuverIverIzizerOzi.dll";
    bool quiet = false;
    bool summary = false;
    std::string manifestFile;        // one record per file delivered or failed (CSV for ".csv")
    bool help = false;
};

// Throws std::runtime_error with a message for the user on a bad command line (argv[0] the program).
Options ParseOptions(const std::vector<std::string>& argv);
void PrintHelp();

} // namespace plmclient
