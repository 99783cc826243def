// The signing module's tokenizer and field splitter against the plain definition: the tokens are
// the longest runs of characters that are not delimiters, in order; the tokenizer only writes
// terminators over delimiters, and only the first 31 delimiters count.
//
// Input: delimiters, a newline, then the text (UTF-8). Without a newline the whole input is the
// text and only the field splitter runs.
#include "signing/SplitFields.h"
#include "signing/StrTokenizer.h"

#include <winenv/Trace.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Runs(const std::wstring& text, const std::wstring& delimiters)
{
    std::vector<std::wstring> tokens;
    std::wstring current;
    for (wchar_t c : text) {
        if (delimiters.find(c) == std::wstring::npos) {
            current += c;
        } else if (!current.empty()) {
            tokens.push_back(current);
            current.clear();
        }
    }
    if (!current.empty())
        tokens.push_back(current);
    return tokens;
}

// What a C string holds: the text up to its first NUL.
std::wstring AsCString(const std::wstring& text) { return text.substr(0, text.find(L'\0')); }

[[noreturn]] void Fail(const char* what, const std::wstring& text)
{
    std::fprintf(stderr, "split: %s in \"%s\"\n", what, winenv::ToUtf8(text).c_str());
    std::abort();
}

void CheckSplitFields(const std::wstring& text)
{
    CStringArray fields;
    fields.Add(L"kept"); // the splitter appends to what the array holds
    SplitFields(text.c_str(), fields);
    const std::vector<std::wstring> expected = Runs(AsCString(text), L",");
    if (fields.GetSize() != static_cast<INT_PTR>(expected.size()) + 1 || fields[0] != L"kept")
        Fail("wrong number of fields", text);
    for (size_t i = 0; i < expected.size(); ++i)
        if (std::wstring(static_cast<LPCWSTR>(fields[static_cast<INT_PTR>(i) + 1])) != expected[i])
            Fail("a field differs", text);
}

void CheckTokenizer(const std::wstring& delimiters, const std::wstring& text)
{
    const std::wstring original = AsCString(text);
    std::vector<wchar_t> buffer(original.begin(), original.end());
    buffer.push_back(L'\0');
    const std::wstring counted = AsCString(delimiters).substr(0, 31);
    const std::vector<std::wstring> expected = Runs(original, counted);

    CStrTokenizer tokenizer(buffer.data(), delimiters.c_str());
    size_t n = 0;
    while (tokenizer.HasMoreTokens()) {
        const wchar_t* pszToken = tokenizer.NextToken();
        if (pszToken < buffer.data() || pszToken >= buffer.data() + buffer.size())
            Fail("a token outside the text", text);
        if (n >= expected.size() || expected[n] != pszToken)
            Fail("a token differs", text);
        ++n;
    }
    if (n != expected.size())
        Fail("tokens missing", text);
    for (size_t i = 0; i < original.size(); ++i)
        if (buffer[i] != original[i] && (buffer[i] != L'\0' || counted.find(original[i]) == std::wstring::npos))
            Fail("the text changed beyond its delimiters", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    if (newline == std::string::npos) {
        CheckSplitFields(winenv::FromUtf8(input));
        return 0;
    }
    const std::wstring text = winenv::FromUtf8(input.substr(newline + 1));
    CheckSplitFields(text);
    CheckTokenizer(winenv::FromUtf8(input.substr(0, newline)), text);
    return 0;
}
