// The module as the client finds it: loaded by its bare name, with exactly its seven commands
// visible to the loader.
#include <gtest/gtest.h>

#include <elf.h>

#include <set>

#include "ElfSymbols.h"
#include "ModuleExports.h"
#include "Spawn.h"

namespace e2e {
namespace {

const std::set<std::string> kExports = {"OnDocListDownLoadLightFile", "OnDocListViewDwgFile", "OnDocListViewLightFile",
    "OutputLightFile", "PrdTreeOutputLightFile", "SignPdf", "WfOutputLightFile"};

// Where Windows finds a DLL's entry point in its image header, this platform's loader finds
// the symbol DllMain; it is no command.
const char* const kLoaderEntry = "DllMain";

class ExportTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        m_symbols = ReadDefinedDynamicSymbols(ProgramFolder() + "/VuverIverIzizerOzi.dll", &error);
        ASSERT_FALSE(m_symbols.empty()) << error;
    }

    std::map<std::string, ElfSymbol> m_symbols;
};

TEST_F(ExportTable, DefinesExactlyTheSevenCommandsAsFunctions)
{
    std::set<std::string> functions;
    for (const auto& [name, symbol] : m_symbols) {
        const bool exported = symbol.binding == STB_GLOBAL || symbol.binding == STB_WEAK;
        if (exported && symbol.type == STT_FUNC && symbol.visibility == STV_DEFAULT && name != kLoaderEntry)
            functions.insert(name);
    }
    EXPECT_EQ(kExports, functions);
}

TEST_F(ExportTable, PrdTreeOutputLightFileIsTheOutputLightFileEntry)
{
    ASSERT_TRUE(m_symbols.count("OutputLightFile"));
    ASSERT_TRUE(m_symbols.count("PrdTreeOutputLightFile"));
    EXPECT_EQ(m_symbols["OutputLightFile"].value, m_symbols["PrdTreeOutputLightFile"].value);

    const ModuleExports& module = Module();
    ASSERT_TRUE(module.Complete());
    EXPECT_EQ(module.OutputLightFile, module.PrdTreeOutputLightFile);
}

TEST_F(ExportTable, LoaderFindsEveryCommandByNameAndNothingInside)
{
    const ModuleExports& module = Module();
    ASSERT_TRUE(module.module != nullptr) << "LoadLibraryW(VuverIverIzizerOzi.dll) failed";
    for (const std::string& name : kExports)
        EXPECT_TRUE(GetProcAddress(module.module, name.c_str()) != nullptr) << name;
    // The application object is a global of unmangled name: it still stays inside.
    EXPECT_TRUE(GetProcAddress(module.module, "theApp") == nullptr);
}

} // namespace
} // namespace e2e
