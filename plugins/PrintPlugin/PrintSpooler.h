// Hands an ordered list of files (UTF-8 paths as the file system takes them) to a printer, or,
// when no printer is configured, writes the job (the list) into a spool folder.
#pragma once

#include <string>
#include <vector>

namespace printplugin {

struct PrintJobResult {
    std::string destination; // "printer:<name>" or the spool file written
    bool ok = false;
    std::string detail;      // the spooler's exit status, or why the job failed
};

// Printer: the environment variable PLM_PRINTER names one (Linux: for `lp -d`; Windows: for each
// file's "printto" verb). Spool folder: PLM_PRINT_SPOOL, else "PrintSpool" under the temporary
// folder.
PrintJobResult SubmitPrintJob(const std::vector<std::string>& posixPaths);

} // namespace printplugin
