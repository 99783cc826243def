// Preloaded into another program (LD_PRELOAD) with VIZ_STATEMENT_FILE set: logs every statement
// the program runs and writes them to that file when the program ends.
#include <cstdlib>
#include <memory>

#include "StatementFile.h"
#include "StatementLog.h"

namespace {

class RecordedProcess {
public:
    RecordedProcess()
    {
        const char* path = std::getenv(vizbench::kStatementFileVariable);
        if (path != nullptr && *path != '\0') {
            m_path = path;
            m_log = std::make_unique<vizbench::StatementLog>();
        }
    }
    ~RecordedProcess()
    {
        if (m_log)
            vizbench::WriteStatementFile(m_path, m_log->Statements());
    }
    RecordedProcess(const RecordedProcess&) = delete;
    RecordedProcess& operator=(const RecordedProcess&) = delete;

private:
    std::string m_path;
    std::unique_ptr<vizbench::StatementLog> m_log;
};

// Made before the program's own objects and so ended after them.
RecordedProcess g_process;

} // namespace
