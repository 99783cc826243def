// The objects a relation walk went through to reach an object: each object handed out by
// GetRelatedObjects remembers the branch above it, so a link back to an object already on the
// branch, or a branch deeper than any real structure, is left out instead of being walked for ever.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

namespace qvclient {

struct ClientState;

// Deeper than any product or folder structure; shallow enough that a recursive walk over it stays
// far inside a thread's default 1 MB stack.
inline constexpr int kMaxRelationDepth = 256;

struct RelationBranch {
    LONG objectId = 0;
    int depth = 0; // objects on the branch, this one included
    std::shared_ptr<const RelationBranch> above;
};

using RelationBranchPtr = std::shared_ptr<const RelationBranch>;

// The branch of the objects related to objectId, which was reached along `above` (none for a root).
RelationBranchPtr ExtendBranch(const RelationBranchPtr& above, LONG objectId);
bool IsOnBranch(const RelationBranchPtr& branch, LONG objectId);

// Reports a related object left out through the client's error service.
void ReportLeftOut(HRESULT code, const std::wstring& relation, LONG objectId);

} // namespace qvclient
