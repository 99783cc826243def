// The plan interface gives the old-to-new glyph mapping; it is exported by libharfbuzz-subset
// but still declared only under HB_EXPERIMENTAL_API.
#define HB_EXPERIMENTAL_API
#include "FontSubset.h"

#include "DiskCache.h"

#include <hb-subset.h>
#include <hb.h>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>

#include <cstdio>
#include <mutex>
#include <utility>

namespace pdfstamp {
namespace {

std::shared_ptr<const FontSubset> MakeSubset(const FontFace& face, const std::set<unsigned>& gids)
{
    hb_subset_input_t* input = hb_subset_input_create_or_fail();
    if (!input)
        return nullptr;
    hb_set_t* glyphs = hb_subset_input_glyph_set(input);
    for (unsigned gid : gids)
        hb_set_add(glyphs, gid);
    // A PDF draws positioned glyphs: layout tables would only pull in more glyphs.
    hb_set_t* dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* tag : {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "MATH", "morx", "kerx", "DSIG", "vhea", "vmtx"})
        hb_set_add(dropped, hb_tag_from_string(tag, -1));
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_DEFAULT);

    hb_subset_plan_t* plan = hb_subset_plan_create_or_fail(face.HbFace(), input);
    hb_subset_input_destroy(input);
    if (!plan)
        return nullptr;
    auto subset = std::make_shared<FontSubset>();
    const hb_map_t* mapping = hb_subset_plan_old_to_new_glyph_mapping(plan);
    for (unsigned gid : gids) {
        hb_codepoint_t mapped = hb_map_get(mapping, gid);
        if (mapped != HB_MAP_VALUE_INVALID)
            subset->newGid[gid] = mapped;
    }
    hb_face_t* result = hb_subset_plan_execute_or_fail(plan);
    hb_subset_plan_destroy(plan);
    if (!result)
        return nullptr;
    hb_blob_t* blob = hb_face_reference_blob(result);
    unsigned length = 0;
    const char* bytes = hb_blob_get_data(blob, &length);
    subset->data.assign(bytes ? bytes : "", length);
    hb_blob_destroy(blob);
    hb_face_destroy(result);
    if (subset->data.empty())
        return nullptr;
    Pl_Buffer buffer("subset");
    Pl_Flate flate("subset", &buffer, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(subset->data.data()), subset->data.size());
    flate.finish();
    const std::shared_ptr<Buffer> deflated = buffer.getBufferSharedPointer();
    subset->deflated.assign(reinterpret_cast<const char*>(deflated->getBuffer()), deflated->getSize());
    return subset;
}

// The face's file by its stamp and the glyphs: a subset made by an earlier process is reused.
std::string DiskKey(const FontFace& face, const std::set<unsigned>& gids)
{
    std::string key = "subset2";
    AppendField(key, face.Id());
    AppendField(key, FileStamp(face.Id().substr(0, face.Id().rfind('#'))));
    std::string glyphs;
    for (unsigned gid : gids)
        glyphs += std::to_string(gid) + ",";
    AppendField(key, glyphs);
    return key;
}

std::string SaveSubset(const FontSubset& subset)
{
    std::string value;
    AppendField(value, subset.data);
    AppendField(value, subset.deflated);
    for (const auto& [gid, mapped] : subset.newGid)
        AppendField(value, std::to_string(gid) + "," + std::to_string(mapped));
    return value;
}

std::shared_ptr<const FontSubset> LoadSubset(const std::string& value)
{
    auto subset = std::make_shared<FontSubset>();
    size_t pos = 0;
    std::string pair;
    if (!ReadField(value, pos, subset->data) || subset->data.empty() || !ReadField(value, pos, subset->deflated))
        return nullptr;
    while (pos < value.size()) {
        unsigned gid = 0;
        unsigned mapped = 0;
        if (!ReadField(value, pos, pair) || std::sscanf(pair.c_str(), "%u,%u", &gid, &mapped) != 2)
            return nullptr;
        subset->newGid[gid] = mapped;
    }
    return subset;
}

std::shared_ptr<const FontSubset> MakeOrLoadSubset(const FontFace& face, const std::set<unsigned>& gids)
{
    const std::string key = DiskKey(face, gids);
    std::string value;
    if (ReadCached(key, value))
        if (auto subset = LoadSubset(value))
            return subset;
    auto subset = MakeSubset(face, gids);
    if (subset)
        WriteCached(key, SaveSubset(*subset));
    return subset;
}

} // namespace

std::shared_ptr<const FontSubset> SubsetFont(const FontFace& face, const std::set<unsigned>& gids)
{
    static std::mutex mutex;
    static std::map<std::pair<std::string, std::set<unsigned>>, std::shared_ptr<const FontSubset>> cache;
    auto key = std::make_pair(face.Id(), gids);
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = cache.find(key);
        if (it != cache.end())
            return it->second;
    }
    auto subset = MakeOrLoadSubset(face, gids);
    std::lock_guard<std::mutex> lock(mutex);
    if (cache.size() >= 64)
        cache.clear();
    cache.emplace(std::move(key), subset);
    return subset;
}

} // namespace pdfstamp
