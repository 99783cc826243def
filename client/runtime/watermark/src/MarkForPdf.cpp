#include "MarkForPdf.h"

#include "qvclient/VerificationMark.h"

#include <mutex>

namespace qvclient {
namespace {

struct MarkState {
    std::mutex mutex;
    MarkSource source;
    MarkPlacement placement;
};

MarkState& State()
{
    static MarkState state;
    return state;
}

} // namespace

void SetMarkSource(MarkSource source, const MarkPlacement& placement)
{
    MarkState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.source = std::move(source);
    state.placement = placement;
}

void MakeMarkFor(const std::wstring& path, pdfstamp::VerificationMark& mark)
{
    MarkSource source;
    MarkPlacement placement;
    {
        MarkState& state = State();
        std::lock_guard<std::mutex> lock(state.mutex);
        source = state.source;
        placement = state.placement;
    }
    MarkContent content;
    if (!placement.on || !source || !source(path, content))
        return;
    pdfstamp::VerificationMark made;
    made.code = FormatMarkText(content);
    made.caption = MarkCaption(content);
    made.xmp = MakeMarkXmp(content);
    made.corner = static_cast<pdfstamp::VerificationMark::Corner>(placement.corner & 3);
    made.size = placement.size;
    made.margin = placement.margin;
    mark = std::move(made);
}

} // namespace qvclient
