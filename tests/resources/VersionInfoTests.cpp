// VERSIONINFO: VS_FIXEDFILEINFO and the string and translation blocks.
#include "ResourceTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace restest {

namespace {

std::uint16_t WordAt(const std::vector<std::uint8_t>& b, size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }

// A VS_VERSIONINFO node as VerQueryValue walks it.
struct VersionNode {
    std::wstring key;
    bool text = false;
    std::vector<std::uint8_t> value; // raw bytes of the value
    std::wstring Text() const;       // a text value without its terminator
    std::vector<VersionNode> children;
    const VersionNode* Child(const std::wstring& name) const;
};

std::wstring VersionNode::Text() const
{
    std::wstring out;
    for (size_t i = 0; i + 1 < value.size(); i += 2)
        if (std::uint16_t c = WordAt(value, i))
            out.push_back(static_cast<wchar_t>(c));
    return out;
}

const VersionNode* VersionNode::Child(const std::wstring& name) const
{
    for (const VersionNode& c : children)
        if (c.key == name)
            return &c;
    return nullptr;
}

// False when a length or the alignment is wrong.
bool ParseVersionNode(const std::vector<std::uint8_t>& b, size_t offset, size_t end, VersionNode& node)
{
    if (offset % 4 || offset + 6 > end)
        return false;
    size_t length = WordAt(b, offset), valueLength = WordAt(b, offset + 2);
    node.text = WordAt(b, offset + 4) == 1;
    size_t nodeEnd = offset + length;
    if (length < 6 || nodeEnd > end)
        return false;
    size_t at = offset + 6;
    for (; at + 1 < nodeEnd && WordAt(b, at); at += 2)
        node.key.push_back(static_cast<wchar_t>(WordAt(b, at)));
    at = (at + 2 + 3) & ~size_t{3};
    size_t valueBytes = node.text ? valueLength * 2 : valueLength;
    if (at + valueBytes > nodeEnd)
        return false;
    node.value.assign(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + valueBytes));
    at = (at + valueBytes + 3) & ~size_t{3};
    while (at < nodeEnd) {
        node.children.emplace_back();
        if (!ParseVersionNode(b, at, nodeEnd, node.children.back()))
            return false;
        at = (at + WordAt(b, at) + 3) & ~size_t{3};
    }
    return true;
}

struct FixedFileInfo {
    std::uint32_t signature, strucVersion, fileMS, fileLS, productMS, productLS, flagsMask, flags, os, type, subtype, dateMS, dateLS;
};

VersionNode Root(HMODULE module)
{
    std::vector<unsigned char> bytes = ResourceBytes(module, MAKEINTRESOURCEW(1), RT_VERSION);
    VersionNode root;
    EXPECT_TRUE(ParseVersionNode(bytes, 0, bytes.size(), root));
    EXPECT_EQ(WordAt(bytes, 0), bytes.size()) << "the root's length is the resource's";
    return root;
}

// A node by its path of keys below the root; null when one is missing.
const VersionNode* Find(const VersionNode& root, std::initializer_list<const wchar_t*> path)
{
    const VersionNode* node = &root;
    for (const wchar_t* key : path)
        if (!(node = node->Child(key)))
            return nullptr;
    return node;
}

TEST(VersionInfo, FixedFileInfoAndDescriptionOfTheFixture)
{
    VersionNode root = Root(FixtureModule());
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(FixedFileInfo));
    FixedFileInfo info;
    std::memcpy(&info, root.value.data(), sizeof info);
    // Signature, structure version, flags mask, flags, OS, type; the versions are checked below.
    const std::uint32_t expected[] = {0xFEEF04BDu, 0x00010000u, 0x3Fu, 2u, 0x40004u, 2u};
    const std::uint32_t got[] = {info.signature, info.strucVersion, info.flagsMask, info.flags, info.os, info.type};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(got[i], expected[i]) << "field " << i;

    const VersionNode* description = Find(root, {L"StringFileInfo", L"080404b0", L"FileDescription"});
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->text);
    EXPECT_EQ(description->Text(), L"测试模块");
    EXPECT_EQ(description->value.size(), 5u * 2) << "four characters and the terminator";
}

// The test script's versions and the module's own 0.0.0.0, both in a Chinese (PRC) Unicode block.
TEST(VersionInfo, VersionsAndTranslationBlock)
{
    const struct {
        const char* what;
        HMODULE module;
        std::uint32_t versions[4]; // file MS, LS, product MS, LS
        const wchar_t* fileVersion;
        const wchar_t* productVersion; // null: none written
    } cases[] = {
        {"fixture", FixtureModule(), {0x00010002u, 0x00030004u, 0x00050006u, 0x00070008u}, L"1.2.3.4", nullptr},
        {"module", ModuleImage(), {0, 0, 0, 0}, L"0.0.0.0", L"0.0.0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VersionNode root = Root(c.module);
        ASSERT_EQ(root.value.size(), sizeof(FixedFileInfo));
        FixedFileInfo info;
        std::memcpy(&info, root.value.data(), sizeof info);
        EXPECT_EQ((std::vector<std::uint32_t>{info.fileMS, info.fileLS, info.productMS, info.productLS}),
            std::vector<std::uint32_t>(std::begin(c.versions), std::end(c.versions)));
        const VersionNode* fileVersion = Find(root, {L"StringFileInfo", L"080404b0", L"FileVersion"});
        ASSERT_NE(fileVersion, nullptr);
        EXPECT_EQ(fileVersion->Text(), c.fileVersion);
        const VersionNode* productVersion = Find(root, {L"StringFileInfo", L"080404b0", L"ProductVersion"});
        EXPECT_EQ(productVersion ? productVersion->Text() : L"(none)", c.productVersion ? c.productVersion : L"(none)");
        const VersionNode* translation = Find(root, {L"VarFileInfo", L"Translation"});
        ASSERT_NE(translation, nullptr);
        EXPECT_FALSE(translation->text);
        EXPECT_EQ(translation->value, (std::vector<std::uint8_t>{0x04, 0x08, 0xB0, 0x04}));
    }
}

} // namespace

} // namespace restest
