// Runs another program as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ProgramRun {
    bool started = false;
    int exitCode = -1; // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// argv[0] is the program: a path, or a name looked up in PATH.
ProgramRun RunProgram(const std::vector<std::string>& argv);

// The folder of this test program: where the module, the plug-ins and plmclient land.
std::string ProgramFolder();

// The text of a PDF as pdftotext extracts it (empty when the file cannot be read as a PDF).
std::string PdfText(const std::string& posixPath);

} // namespace e2e
