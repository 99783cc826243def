// Tells the watermark component what the client knows of the files it delivered, so that a PDF's
// verification mark names its light file, document, class, revision and stored content.
#pragma once

#include <memory>

namespace qvclient {

struct ClientState;

// Placement from the client's settings: "VERIFICATION_MARK" ("off", or the corner: "bottom-left",
// the default, "top-left", "top-right", "bottom-right") and "VERIFICATION_MARK_SIZE" (points).
void ConnectMarkSource(const std::shared_ptr<ClientState>& state);
void DisconnectMarkSource();

} // namespace qvclient
