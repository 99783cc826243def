// A module's resources are found with dlsym on its handle. dlsym also searches the libraries a
// module depends on, so the symbol found must belong to the module itself.
#include "ModuleResources.h"

#include <dlfcn.h>
#include <link.h>

#include <cwctype>
#include <vector>

#include <libloaderapi.h>
#include <winbase.h>

namespace win32resources {

namespace {

// The user interface language of this system's users (Chinese, PRC), standing for the thread,
// user and system languages of the Windows search order.
constexpr WORD kUiLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

bool SameId(const wchar_t* entryName, std::uint16_t entryNumber, LPCWSTR query)
{
    if (IS_INTRESOURCE(query))
        return !entryName && entryNumber == LOWORD(reinterpret_cast<ULONG_PTR>(query));
    if (query[0] == L'#') {
        // "#123" names the number 123.
        unsigned long number = 0;
        for (const wchar_t* p = query + 1; *p; ++p) {
            if (*p < L'0' || *p > L'9')
                return false;
            number = number * 10 + static_cast<unsigned long>(*p - L'0');
            if (number > 0xFFFF)
                return false;
        }
        return !entryName && entryNumber == number;
    }
    if (!entryName)
        return false;
    // Names are stored in upper case and compared without regard to case.
    const wchar_t* a = entryName;
    const wchar_t* b = query;
    for (; *a && *b; ++a, ++b)
        if (std::towupper(*a) != std::towupper(*b))
            return false;
    return *a == *b;
}

// The languages tried, in order, as Windows does for a requested language.
std::vector<WORD> LanguageOrder(WORD requested)
{
    std::vector<WORD> order{requested, MAKELANGID(PRIMARYLANGID(requested), SUBLANG_NEUTRAL), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)};
    if (PRIMARYLANGID(requested) == LANG_NEUTRAL) {
        // Thread, user and system language are one here.
        order.insert(order.end(), {kUiLanguage, MAKELANGID(PRIMARYLANGID(kUiLanguage), SUBLANG_NEUTRAL),
                                   MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT)});
    }
    return order;
}

} // namespace

const winenv::ResourceTable* TableOf(HMODULE module)
{
    void* handle = module ? static_cast<void*>(module) : static_cast<void*>(GetModuleHandleW(nullptr));
    if (!handle)
        return nullptr;
    void* symbol = ::dlsym(handle, winenv::kResourceTableSymbol);
    if (!symbol)
        return nullptr;
    link_map* moduleMap = nullptr;
    link_map* symbolMap = nullptr;
    Dl_info info;
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &moduleMap) != 0 ||
        !::dladdr1(symbol, &info, reinterpret_cast<void**>(&symbolMap), RTLD_DL_LINKMAP) || symbolMap != moduleMap)
        return nullptr;
    auto* table = static_cast<const winenv::ResourceTable*>(symbol);
    return table->version == winenv::kResourceTableVersion ? table : nullptr;
}

const winenv::ResourceEntry* FindEntry(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, DWORD& error)
{
    const winenv::ResourceTable* table = TableOf(module);
    if (!table) {
        error = ERROR_RESOURCE_DATA_NOT_FOUND;
        return nullptr;
    }
    std::vector<const winenv::ResourceEntry*> named;
    bool typeFound = false;
    for (std::uint32_t i = 0; i < table->count; ++i) {
        const winenv::ResourceEntry& e = table->entries[i];
        if (!SameId(e.typeName, e.typeId, type))
            continue;
        typeFound = true;
        if (SameId(e.name, e.nameId, name))
            named.push_back(&e);
    }
    if (!typeFound) {
        error = ERROR_RESOURCE_TYPE_NOT_FOUND;
        return nullptr;
    }
    if (named.empty()) {
        error = ERROR_RESOURCE_NAME_NOT_FOUND;
        return nullptr;
    }
    for (WORD candidate : LanguageOrder(language))
        for (const winenv::ResourceEntry* e : named)
            if (e->language == candidate)
                return e;
    // Without a language of its own the caller takes whatever language the module has.
    if (PRIMARYLANGID(language) == LANG_NEUTRAL)
        return named.front();
    error = ERROR_RESOURCE_LANG_NOT_FOUND;
    return nullptr;
}

} // namespace win32resources
