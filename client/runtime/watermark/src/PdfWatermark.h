// One watermark component object.
#pragma once

#include <QvInterfaces.h>
#include <comkit/ComObject.h>

namespace qvclient {

class CPdfWatermark : public comkit::ComObject<IQvPdfWatermark> {
public:
    // IQvPdfWatermark
    STDMETHODIMP AddWatermark(BSTR bstrPdfPath, LONG nStyle) override;
};

} // namespace qvclient
