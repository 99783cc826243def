#include "components/MarkSource.h"

#include <cwchar>

#include "ClientState.h"
#include "components/CommandFiles.h"
#include "qvclient/MarkVerification.h"
#include "qvclient/VerificationMark.h"
#include "qvclient/Watermark.h"

namespace qvclient {
namespace {

MarkPlacement ReadPlacement(ObjectModel& model)
{
    MarkPlacement placement;
    std::wstring corner;
    if (model.GetSetting(L"VERIFICATION_MARK", corner) == S_OK) {
        const wchar_t* const corners[] = {L"bottom-left", L"top-left", L"top-right", L"bottom-right"};
        placement.on = corner != L"off";
        for (int i = 0; i < 4; ++i)
            if (corner == corners[i])
                placement.corner = i;
    }
    std::wstring size;
    if (model.GetSetting(L"VERIFICATION_MARK_SIZE", size) == S_OK) {
        const double points = std::wcstod(size.c_str(), nullptr);
        // Below an inch's third a printed code no longer scans; above two inches it covers the drawing.
        if (points >= 24 && points <= 144)
            placement.size = points;
    }
    return placement;
}

std::wstring UserName(ClientState& state)
{
    const ClassInfo* pUser = state.model->FindClass(L"User");
    DbValue value;
    if (state.currentUserId != 0 && pUser != nullptr &&
        SUCCEEDED(state.model->GetProperty(*pUser, state.currentUserId, L"name", value)))
        return value.text;
    return L"";
}

} // namespace

void ConnectMarkSource(const std::shared_ptr<ClientState>& state)
{
    const std::weak_ptr<ClientState> weak = state;
    SetMarkSource(
        [weak](const std::wstring& path, MarkContent& content) {
            const std::shared_ptr<ClientState> s = weak.lock();
            if (!s)
                return false;
            LONG lightFileId = 0;
            std::string sha256;
            if (!FindWrittenLightFile(*s, path, lightFileId, sha256) ||
                FindLightFileOrigin(*s->database, lightFileId, content) != S_OK)
                return false;
            content.sha256 = sha256;
            content.user = UserName(*s);
            const std::wstring date = MakeWatermarkText(L"");
            content.date.assign(date.begin(), date.end());
            return true;
        },
        ReadPlacement(*state->model));
}

void DisconnectMarkSource()
{
    SetMarkSource(nullptr, MarkPlacement());
}

} // namespace qvclient
