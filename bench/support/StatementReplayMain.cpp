// statement_replay DATABASE FILE: the statements of FILE replayed on DATABASE in one read
// transaction, as a process of its own (the floor a client process is compared with).
#include "StatementFile.h"
#include "StatementReplay.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::vector<std::string> statements = vizbench::ReadStatementFile(argv[2]);
    return !statements.empty() && vizbench::ReplayStatements(argv[1], statements, true) ? 0 : 1;
}
