#include <pdfstamp/OnDemand.h>

#include <dlfcn.h>

#include <mutex>

namespace pdfstamp::ondemand {
namespace {

struct Library {
    void* handle = nullptr;
    std::string error;
};

const Library& Loaded()
{
    static Library library;
    static std::once_flag once;
    std::call_once(once, [] {
        library.handle = dlopen("libpdfstamp.so", RTLD_NOW | RTLD_LOCAL);
        const char* reason = library.handle == nullptr ? dlerror() : nullptr;
        if (library.handle == nullptr)
            library.error = reason != nullptr ? reason : "libpdfstamp.so cannot be opened";
    });
    return library;
}

template <typename Function>
Function Entry(const char* name, std::string& error)
{
    const Library& library = Loaded();
    void* address = library.handle != nullptr ? dlsym(library.handle, name) : nullptr;
    if (address == nullptr)
        error = library.handle != nullptr ? std::string("libpdfstamp.so has no ") + name : library.error;
    return reinterpret_cast<Function>(address);
}

} // namespace

StampResult ApplyStamps(const std::string& path, const std::vector<Stamp>& stamps)
{
    StampResult result;
    if (const auto pfn = Entry<PFN_APPLYSTAMPS>("PdfStampApplyStamps", result.error))
        pfn(&path, &stamps, &result);
    return result;
}

StampResult ApplyWatermark(const std::string& path, const Watermark& watermark)
{
    StampResult result;
    if (const auto pfn = Entry<PFN_APPLYWATERMARK>("PdfStampApplyWatermark", result.error))
        pfn(&path, &watermark, &result);
    return result;
}

bool MakeSamplePdf(const std::string& path, const std::wstring& title, const std::vector<std::wstring>& lines,
    int pages)
{
    std::string error;
    const auto pfn = Entry<PFN_MAKESAMPLEPDF>("PdfStampMakeSamplePdf", error);
    return pfn != nullptr && pfn(&path, &title, &lines, pages);
}

} // namespace pdfstamp::ondemand
