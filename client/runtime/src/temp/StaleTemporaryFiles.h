// The client's temporary folder kept true to the PLM system. The module reuses a signature
// picture it finds at its path, and a signing job left beside a PDF of the temporary folder is
// nobody's: at the start of a command the client removes from temp/signature every file that is
// not the current content of the stored file its name gives (id, then the stored file's name),
// and every *.pdf.ini left in the temporary folder itself.
#pragma once

namespace qvclient {

struct ClientState;

// Each removal is traced "temp_removed" with the path and the reason.
void RemoveStaleTemporaryFiles(ClientState& state);

} // namespace qvclient
