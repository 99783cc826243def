// One watermark component object.
#pragma once

#include <QvInterfaces.h>

#include <atomic>

namespace qvclient {

class CPdfWatermark : public IQvPdfWatermark {
public:
    CPdfWatermark() = default;
    CPdfWatermark(const CPdfWatermark&) = delete;
    CPdfWatermark& operator=(const CPdfWatermark&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IQvPdfWatermark
    STDMETHODIMP AddWatermark(BSTR bstrPdfPath, LONG nStyle) override;

private:
    virtual ~CPdfWatermark() = default;

    std::atomic<ULONG> m_cRef{0};
};

} // namespace qvclient
