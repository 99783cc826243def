// The profile API on any INI file: a key written reads back as written (and as a number when it
// is one), a key or section deleted is gone, and every other key of every section reads as it did
// before.
//
// Input: "section<TAB>key<TAB>value" (write), "section<TAB>key" (delete the key) or "section"
// (delete the section) on the first line, then the INI file's bytes.
#include <windows.h>

#include <winenv/Trace.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace {

const wchar_t kMissing[] = L"\x1 missing";

std::vector<std::wstring> SplitList(const std::vector<wchar_t>& buffer, DWORD length)
{
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < length;) {
        std::wstring name(&buffer[i]);
        i += static_cast<DWORD>(name.size()) + 1;
        names.push_back(name);
    }
    return names;
}

std::vector<std::wstring> List(LPCWSTR lpSection, const std::wstring& file)
{
    std::vector<wchar_t> buffer(8192); // inputs stay under 4096 bytes
    const DWORD length = GetPrivateProfileStringW(lpSection, nullptr, L"", buffer.data(),
        static_cast<DWORD>(buffer.size()), file.c_str());
    return SplitList(buffer, length);
}

std::wstring Read(const std::wstring& section, const std::wstring& key, const std::wstring& file)
{
    std::vector<wchar_t> buffer(8192); // inputs stay under 4096 bytes
    GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissing, buffer.data(), static_cast<DWORD>(buffer.size()),
        file.c_str());
    return buffer.data();
}

// Every section with its keys and their values, as the API shows them.
using Profile = std::map<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>;

Profile ReadAll(const std::wstring& file)
{
    Profile profile;
    for (const std::wstring& section : List(nullptr, file)) {
        auto& keys = profile[section];
        keys.clear();
        for (const std::wstring& key : List(section.c_str(), file))
            keys.emplace_back(key, Read(section, key, file));
    }
    return profile;
}

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

bool HasLineBreakOrNul(const std::wstring& text) { return text.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos; }

bool Trimmed(const std::wstring& text) { return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())); }

// Names and values that a profile file can hold so that they read back unchanged: one line each,
// no blanks around them (they are trimmed), no quotes around the value (they are removed), no
// ']' in a section name, no '=' in a key, and a key that does not read as a comment or a header.
bool RoundTrips(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    if (section.empty() || key.empty() || HasLineBreakOrNul(section + key + value))
        return false;
    if (!Trimmed(section) || !Trimmed(key) || !Trimmed(value))
        return false;
    if (section.find(L']') != std::wstring::npos || key.find(L'=') != std::wstring::npos)
        return false;
    if (key[0] == L';' || key[0] == L'[')
        return false;
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
        return false;
    return true;
}

bool SameName(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

[[noreturn]] void Fail(const char* what, const std::wstring& section, const std::wstring& key)
{
    std::fprintf(stderr, "profile: %s [%s] %s\n", what, winenv::ToUtf8(section).c_str(),
        winenv::ToUtf8(key).c_str());
    std::abort();
}

} // namespace

// The round trip is checked in UTF-8 files, where every text survives; what the ANSI code page
// (936) turns into '?' is stated by the profile's unit tests.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("WIN32_ANSI_CODE_PAGE", "65001", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static viztest::ScratchFolder folder;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    if (newline == std::string::npos)
        return -1;
    std::vector<std::wstring> fields;
    const std::wstring header = winenv::FromUtf8(input.substr(0, newline));
    for (size_t start = 0;;) {
        const size_t tab = header.find(L'\t', start);
        fields.push_back(header.substr(start, tab == std::wstring::npos ? tab : tab - start));
        if (tab == std::wstring::npos)
            break;
        start = tab + 1;
    }
    if (fields.size() > 3)
        return -1;
    fields.resize(3);
    const std::wstring& section = fields[0];
    const std::wstring& key = fields[1];
    const std::wstring& value = fields[2];
    // Three fields write a key, two delete the key, one deletes the section.
    const size_t tab = header.find(L'\t');
    const bool bDeleteSection = tab == std::wstring::npos;
    const bool bDeleteKey = !bDeleteSection && header.find(L'\t', tab + 1) == std::wstring::npos;

    const std::string ini = input.substr(newline + 1);
    // A NUL character inside a name cuts it in two in the API's lists of names, so the lists
    // cannot tell the names apart: such files are outside what this harness can check.
    const bool bUtf16 = ini.compare(0, 2, "\xFF\xFE") == 0;
    for (size_t i = bUtf16 ? 2 : 0; i + (bUtf16 ? 1 : 0) < ini.size(); i += bUtf16 ? 2 : 1)
        if (ini[i] == '\0' && (!bUtf16 || ini[i + 1] == '\0'))
            return -1;
    const std::wstring file = folder.Windows(L"job.ini");
    viztest::WriteFile(file, ini);
    const Profile before = ReadAll(file);
    if (!WritePrivateProfileStringW(section.c_str(), bDeleteSection ? nullptr : key.c_str(),
            bDeleteSection || bDeleteKey ? nullptr : value.c_str(), file.c_str()))
        Fail("the call failed", section, key);
    if (!RoundTrips(section, bDeleteSection ? L"key" : key, value))
        return 0;

    Profile expected = before;
    bool bSectionPresent = false;
    for (auto& [name, keys] : expected) {
        if (!SameName(name, section))
            continue;
        bSectionPresent = true;
        size_t nSpellings = 0;
        for (auto& entry : keys)
            nSpellings += SameName(entry.first, key);
        // Only the first of several sections or keys of one name is deleted; the others then come
        // to light, so the outcome is not a plain removal.
        if (bDeleteKey && nSpellings > 1)
            return 0;
        if (bDeleteKey) {
            for (size_t i = 0; i < keys.size(); ++i)
                if (SameName(keys[i].first, key))
                    keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (!bDeleteSection) {
            // Keys are read by name, so every spelling of the key reads the first one's value.
            for (auto& entry : keys)
                if (SameName(entry.first, key))
                    entry.second = value;
            if (nSpellings == 0)
                keys.emplace_back(key, value);
        }
    }
    if (bDeleteSection) {
        size_t nHeaders = 0;
        for (const std::wstring& name : List(nullptr, file.c_str()))
            nHeaders += SameName(name, section);
        if (nHeaders > 0)
            return 0; // the first of several sections of this name was deleted
        for (auto it = expected.begin(); it != expected.end();)
            it = SameName(it->first, section) ? expected.erase(it) : std::next(it);
    } else if (!bDeleteKey && !bSectionPresent) {
        expected[section] = {{key, value}};
    }
    if (ReadAll(file) != expected)
        Fail("the profile is not what the call should have left", section, key);
    if (bDeleteSection || bDeleteKey)
        return 0;

    // A value longer than the buffer is cut to fit, with the terminator.
    for (size_t n : {size_t(1), value.size() / 2 + 1, value.size()}) {
        if (n == 0 || n > value.size())
            continue;
        std::vector<wchar_t> buffer(n);
        if (GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(), static_cast<DWORD>(n), file.c_str())
                != n - 1
            || value.compare(0, n - 1, buffer.data()) != 0)
            Fail("a value is not cut to its buffer", section, key);
    }
    const long long number = std::wcstoll(value.c_str(), nullptr, 10);
    if (number >= INT_MIN && number <= INT_MAX && std::to_wstring(number) == value
        && GetPrivateProfileIntW(section.c_str(), key.c_str(), 12345, file.c_str()) != static_cast<UINT>(number))
        Fail("a number does not read back", section, key);
    return 0;
}
