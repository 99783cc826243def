// FindResourceW/FindResourceExW, LoadResource, LockResource, SizeofResource.
#include "ResourceTestSupport.h"
#include "FixtureResource.h"

#include <gtest/gtest.h>

#include <cstring>

using restest::FixtureModule;

namespace {

constexpr DWORD kLangNotFound = 1815; // ERROR_RESOURCE_LANG_NOT_FOUND
constexpr WORD kGerman = MAKELANGID(0x07, 0x01);
constexpr WORD kEnglishUK = MAKELANGID(LANG_ENGLISH, 0x02);

TEST(ResourceLookup, FindsByNumberAndGivesItsBytesInPlace)
{
    HMODULE module = FixtureModule();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDR_BLOB), RT_RCDATA);
    ASSERT_NE(resource, nullptr);
    HGLOBAL loaded = LoadResource(module, resource);
    ASSERT_NE(loaded, nullptr);
    const unsigned char* data = static_cast<const unsigned char*>(LockResource(loaded));
    EXPECT_EQ(data, LockResource(LoadResource(module, resource))) << "the same resource is the same memory";
    // 0x1234 as a WORD, 0x89ABCDEFL as a DWORD, "ab" as bytes, L"字" as one UTF-16 unit; no terminators.
    const unsigned char expected[] = {0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 'a', 'b', 0x57, 0x5B};
    ASSERT_EQ(SizeofResource(module, resource), sizeof expected);
    EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);
    SetLastError(0);
    EXPECT_EQ(LoadResource(module, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(module, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ResourceLookup, NamesAreCaseInsensitiveAndHashNumbersAreIds)
{
    HMODULE module = FixtureModule();
    EXPECT_NE(FindResourceW(module, L"NamedDialog", RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceW(module, L"NAMEDDIALOG", MAKEINTRESOURCEW(5)), nullptr);
    EXPECT_EQ(FindResourceW(module, L"#100", RT_DIALOG), FindResourceW(module, MAKEINTRESOURCEW(IDD_FIXTURE), RT_DIALOG));
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDR_BLOB), L"notes"), nullptr) << "a user-defined type named by a word";
}

TEST(ResourceLookup, MissingNameOrTypeSetsTheErrorAndReturnsNull)
{
    // The test program has no resources; the libraries it loaded do, and must not be taken for its own.
    const struct {
        HMODULE module;
        LPCWSTR name;
        LPCWSTR type;
        DWORD error;
    } cases[] = {
        {FixtureModule(), MAKEINTRESOURCEW(4242), RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
        {FixtureModule(), L"NoSuchDialog", RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
        {FixtureModule(), MAKEINTRESOURCEW(IDD_FIXTURE), RT_MENU, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {FixtureModule(), MAKEINTRESOURCEW(IDD_FIXTURE), L"#4242", ERROR_RESOURCE_TYPE_NOT_FOUND},
        {nullptr, MAKEINTRESOURCEW(IDD_FIXTURE), RT_DIALOG, ERROR_RESOURCE_DATA_NOT_FOUND},
        {GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FIXTURE), RT_DIALOG, ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SetLastError(0);
        EXPECT_EQ(FindResourceW(cases[i].module, cases[i].name, cases[i].type), nullptr) << "case " << i;
        EXPECT_EQ(GetLastError(), cases[i].error) << "case " << i;
    }
}

TEST(ResourceLookup, LanguageFallback)
{
    HMODULE module = FixtureModule();
    const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    LPCWSTR titleBlock = MAKEINTRESOURCEW(IDS_TITLE / 16 + 1);

    HRSRC zh = FindResourceExW(module, RT_STRING, titleBlock, chinese);
    HRSRC en = FindResourceExW(module, RT_STRING, titleBlock, english);
    ASSERT_NE(zh, nullptr);
    ASSERT_NE(en, nullptr);
    EXPECT_NE(zh, en);
    EXPECT_EQ(FindResourceW(module, titleBlock, RT_STRING), zh) << "neutral asks for the user's language (Chinese) first";
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDS_ENGLISH_ONLY / 16 + 1), RT_STRING), nullptr)
        << "neutral takes any language when the preferred ones are missing";

    // An explicit language falls back only to its neutral forms, never to another language.
    for (WORD language : {kGerman, kEnglishUK}) {
        SetLastError(0);
        EXPECT_EQ(FindResourceExW(module, RT_STRING, titleBlock, language), nullptr) << language;
        EXPECT_EQ(GetLastError(), kLangNotFound) << language;
    }
}

} // namespace
