// The Windows build compiles the module's .rc with windres; every resource it makes equals, byte
// for byte and in the same language, the one vizrc embeds in the Linux build. One difference is
// windres's own: it writes a control's class name in capitals ("SYSTREEVIEW32") where rc.exe and
// vizrc keep the script's spelling; Windows matches class names without regard to case.
#include "ResourceTestSupport.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

using restest::ModuleImage;
using restest::ResourceBytes;

namespace {

// A type or name in a .res header: an ordinal, or a string.
struct ResId {
    WORD ordinal = 0;
    std::wstring text;
    LPCWSTR Get() const { return text.empty() ? MAKEINTRESOURCEW(ordinal) : text.c_str(); }
    std::string Describe() const
    {
        return text.empty() ? std::to_string(ordinal) : std::string(text.begin(), text.end());
    }
};

struct ResEntry {
    ResId type;
    ResId name;
    WORD language = 0;
    std::vector<unsigned char> data;
};

class ResReader {
public:
    explicit ResReader(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    // The entries of a 32-bit .res file, without its leading empty entry.
    std::vector<ResEntry> Entries()
    {
        std::vector<ResEntry> entries;
        size_t pos = 0;
        while (pos + 8 <= m_bytes.size()) {
            const DWORD dataSize = Dword(pos), headerSize = Dword(pos + 4);
            size_t at = pos + 8;
            ResEntry e;
            e.type = Id(at);
            e.name = Id(at);
            at = (at + 3) & ~size_t(3);
            e.language = Word(at + 6);
            const size_t data = pos + headerSize;
            if (data + dataSize > m_bytes.size())
                throw std::runtime_error("truncated .res");
            e.data.assign(m_bytes.begin() + data, m_bytes.begin() + data + dataSize);
            if (!(dataSize == 0 && e.type.ordinal == 0 && e.type.text.empty()))
                entries.push_back(std::move(e));
            pos = (data + dataSize + 3) & ~size_t(3);
        }
        return entries;
    }

private:
    WORD Word(size_t at) const { return WORD(m_bytes.at(at) | m_bytes.at(at + 1) << 8); }
    DWORD Dword(size_t at) const { return Word(at) | DWORD(Word(at + 2)) << 16; }
    ResId Id(size_t& at) const
    {
        ResId id;
        if (Word(at) == 0xFFFF) {
            id.ordinal = Word(at + 2);
            at += 4;
            return id;
        }
        for (; Word(at) != 0; at += 2)
            id.text.push_back(wchar_t(Word(at)));
        at += 2;
        return id;
    }

    std::vector<unsigned char> m_bytes;
};

bool SameLetterIgnoringCase(unsigned char a, unsigned char b)
{
    return a == b || (std::isalpha(a) && std::isalpha(b) && std::tolower(a) == std::tolower(b));
}

// Two dialog templates that differ at most in the case of their letters: the texts themselves are
// held to the script by the module's own resource tests.
::testing::AssertionResult SameDialog(const std::vector<unsigned char>& vizrc, const std::vector<unsigned char>& windres)
{
    if (vizrc.size() != windres.size())
        return ::testing::AssertionFailure() << "sizes " << vizrc.size() << " and " << windres.size();
    for (size_t i = 0; i < vizrc.size(); ++i)
        if (!SameLetterIgnoringCase(vizrc[i], windres[i]))
            return ::testing::AssertionFailure() << "byte " << i << " differs";
    return ::testing::AssertionSuccess();
}

std::vector<ResEntry> WindresEntries()
{
    const std::string bytes = viztest::ReadPosixFile(WINDRES_RES_PATH);
    EXPECT_FALSE(bytes.empty()) << "cannot read " << WINDRES_RES_PATH;
    return ResReader({bytes.begin(), bytes.end()}).Entries();
}

TEST(WindresResources, EveryKindOfResourceIsThere)
{
    const std::vector<ResEntry> entries = WindresEntries();
    struct Expected {
        const char* what;
        WORD type;
        WORD name;
    } expected[] = {
        {"manager dialog", 5, 27000},
        {"viewer dialog", 5, 27001},
        {"icon group", 14, 27003},
        {"icon group", 14, 27004},
        {"string block of 57344", 6, 57344 / 16 + 1},
        {"version block", 16, 1},
        {"manifest", 24, 2},
        {"viewer dialog init data", 240, 27001},
    };
    for (const Expected& e : expected) {
        bool found = false;
        for (const ResEntry& entry : entries)
            found = found || (entry.type.ordinal == e.type && entry.name.ordinal == e.name);
        EXPECT_TRUE(found) << e.what << " (type " << e.type << ", name " << e.name << ")";
    }
}

TEST(WindresResources, EqualWhatTheLinuxBuildEmbeds)
{
    const std::vector<ResEntry> entries = WindresEntries();
    ASSERT_FALSE(entries.empty());
    for (const ResEntry& entry : entries) {
        const std::string what = "type " + entry.type.Describe() + ", name " + entry.name.Describe();
        EXPECT_EQ(entry.language, 0x0804) << what;
        const std::vector<unsigned char> embedded = ResourceBytes(ModuleImage(), entry.name.Get(), entry.type.Get());
        if (entry.type.ordinal == 5)
            EXPECT_TRUE(SameDialog(embedded, entry.data)) << what;
        else
            EXPECT_EQ(embedded, entry.data) << what;
    }
}

} // namespace
