#include "DemoFolder.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <winenv/Paths.h>

#include "fixture/SchemaText.h"

namespace vizbench {

namespace fs = std::filesystem;

qvclient::DemoSize DemoSizeForParts(int parts)
{
    if (parts == 0)
        return qvclient::DemoSize::Small();
    qvclient::DemoSize size = qvclient::DemoSize::Large();
    // 40 assemblies with partsPerLevel parts each besides their sub-assemblies.
    size.partsPerLevel = (parts + size.AssemblyCount() / 2) / size.AssemblyCount() - 1;
    return size;
}

namespace {

bool SaveInfo(const std::string& path, const qvclient::DemoDatabaseInfo& info)
{
    std::ofstream out(path);
    out << info.topAssemblyId << ' ' << info.productFolderId << ' ' << info.workflowItemId << ' ' << info.parts
        << ' ' << info.documents << ' ' << info.currentLightFiles << ' ' << info.formerLightFiles << ' '
        << info.vaultFiles << ' ' << info.signatures << '\n';
    return static_cast<bool>(out);
}

bool LoadInfo(const std::string& path, qvclient::DemoDatabaseInfo& info)
{
    std::ifstream in(path);
    in >> info.topAssemblyId >> info.productFolderId >> info.workflowItemId >> info.parts >> info.documents >>
        info.currentLightFiles >> info.formerLightFiles >> info.vaultFiles >> info.signatures;
    return static_cast<bool>(in);
}

bool RunScript(const std::string& database, const std::string& script)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(database.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

std::string DemoFolder(int parts, qvclient::DemoDatabaseInfo& info, const std::string& variant,
    const std::string& prepare)
{
    // Keyed by the schema, so that a demo made by an older generator is never reused.
    const std::string base = "/tmp/viz-bench-demo-" +
                             std::to_string(std::hash<std::string>{}(qvclient::GetSchemaText()) % 1000000) + "-" +
                             std::to_string(parts);
    const std::string folder = variant.empty() ? base : base + "-" + variant;
    const std::string made = folder + "/made";
    if (LoadInfo(made, info))
        return folder;
    std::error_code ec;
    fs::remove_all(folder, ec);
    if (variant.empty()) {
        if (FAILED(qvclient::CreateDemoDatabase(winenv::FromPosixPath(folder), DemoSizeForParts(parts), &info)))
            return std::string();
    } else {
        if (DemoFolder(parts, info).empty())
            return std::string();
        fs::copy(base, folder, fs::copy_options::recursive, ec);
        if (ec || !RunScript(folder + "/plm.db", prepare))
            return std::string();
    }
    return SaveInfo(made, info) ? folder : std::string();
}

} // namespace vizbench
