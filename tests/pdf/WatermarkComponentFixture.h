// The client's watermark component as the module reaches it: registered, created through COM,
// started, asked for IQvPdfWatermark; AddWatermark(path, 10) on a file by its POSIX path.
#pragma once

#include <QvInterfaces.h>
#include <qvclient/Watermark.h>
#include <winenv/Paths.h>

#include <gtest/gtest.h>

#include <string>

#include "HandmadeFiles.h"

namespace pdftest {

class WatermarkComponentFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(S_OK, qvclient::RegisterWatermarkClass());
        IUnknown* pUnknown = nullptr;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_QvPdfWatermark, nullptr, CLSCTX_ALL, IID_IUnknown,
                            reinterpret_cast<void**>(&pUnknown)));
        ASSERT_EQ(S_OK, OleRun(pUnknown));
        HRESULT hr = pUnknown->QueryInterface(__uuidof(IQvPdfWatermark), reinterpret_cast<void**>(&m_pWatermark));
        pUnknown->Release();
        ASSERT_EQ(S_OK, hr);
    }

    void TearDown() override
    {
        if (m_pWatermark)
            m_pWatermark->Release();
        qvclient::RevokeWatermarkClass();
        CoUninitialize();
    }

    HRESULT AddWatermark(const std::string& posixPath)
    {
        BSTR bstrPath = SysAllocString(winenv::FromPosixPath(posixPath).c_str());
        HRESULT hr = m_pWatermark->AddWatermark(bstrPath, 10);
        SysFreeString(bstrPath);
        return hr;
    }

    PosixScratchFolder m_folder;
    IQvPdfWatermark* m_pWatermark = nullptr;
};

} // namespace pdftest
