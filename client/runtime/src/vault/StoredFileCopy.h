// The client's copy of a stored file to a local path: the content streams from the vault into a
// temporary file beside the target, and only a complete copy whose size and SHA-256 are the
// stored ones (the size alone where no SHA-256 was recorded) is renamed into place. On any failure the target is as it was and nothing is left.
#pragma once

#include <functional>
#include <string>

#include "model/ObjectModel.h"
#include "qvclient/Vault.h"

namespace qvclient {

// Told the bytes copied so far after every chunk.
using CopyProgress = std::function<void(ULONGLONG cbCopied)>;

// QV_E_CONTENTMISMATCH when the content is not the one the stored file names. A stored file with
// no SHA-256 recorded is checked by its size alone, and traced "content_unchecked".
HRESULT CopyStoredFile(IVault& vault, const StoredFileInfo& file, const std::string& target,
    const CopyProgress& progress, ULONGLONG& cbWritten);

} // namespace qvclient
