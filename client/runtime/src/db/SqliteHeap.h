// Where SQLite takes its memory in the client's process.
#pragma once

namespace qvclient {

// Gives SQLite a heap of its own for its small blocks, before the process's first connection.
void UseSqliteHeap();

} // namespace qvclient
