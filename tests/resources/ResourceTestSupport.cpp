#include "ResourceTestSupport.h"

#include <gtest/gtest.h>

namespace restest {

namespace {

HMODULE Load(const wchar_t* name)
{
    HMODULE module = LoadLibraryW(name);
    EXPECT_NE(module, nullptr) << "cannot load the test library";
    return module;
}

} // namespace

HMODULE FixtureModule()
{
    static HMODULE module = Load(L"ResourceFixture.dll");
    return module;
}

HMODULE ModuleImage()
{
    static HMODULE module = Load(L"ModuleResourceImage.dll");
    return module;
}

std::vector<unsigned char> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource)
        return {};
    auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    return std::vector<unsigned char>(data, data + SizeofResource(module, resource));
}

winenv::DialogTemplate Dialog(HMODULE module, WORD id)
{
    std::vector<unsigned char> bytes = ResourceBytes(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    winenv::DialogTemplate dialog;
    EXPECT_TRUE(winenv::ParseDialogTemplate(bytes.data(), bytes.size(), dialog)) << "dialog " << id;
    return dialog;
}

} // namespace restest
