#include "RelationBranch.h"

#include "ErrorService.h"

namespace qvclient {

RelationBranchPtr ExtendBranch(const RelationBranchPtr& above, LONG objectId)
{
    auto branch = std::make_shared<RelationBranch>();
    branch->objectId = objectId;
    branch->depth = above ? above->depth + 1 : 1;
    branch->above = above;
    return branch;
}

bool IsOnBranch(const RelationBranchPtr& branch, LONG objectId)
{
    for (const RelationBranch* p = branch.get(); p != nullptr; p = p->above.get()) {
        if (p->objectId == objectId)
            return true;
    }
    return false;
}

void ReportLeftOut(HRESULT code, const std::wstring& relation, LONG objectId)
{
    IQvErrorReporterPtr reporter(static_cast<IQvErrorReporter*>(new ErrorReporter()));
    IQvErrorListPtr list;
    if (FAILED(reporter->CreateErrorList(&list)))
        return;
    list->SetIconStyle(MB_ICONWARNING);
    IQvErrorRecordPtr record(static_cast<IQvErrorRecord*>(
        new ErrorRecord(code, relation + L":" + std::to_wstring(objectId), 0)));
    list->AddRecord(record);
    reporter->ShowErrors(nullptr);
}

} // namespace qvclient
