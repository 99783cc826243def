// Windows: HarfBuzz and FreeType open a file by a narrow name in the ANSI code page, so the file is
// mapped here by its wide name and both read the mapping.
#include "../src/FontFileAccess.h"

#include "WideName.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>
#include <windows.h>
#include <atlbase.h>

namespace pdfstamp {
namespace {

// A read-only view of a whole file; the file and mapping handles close once the view exists.
class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        const HANDLE opened = CreateFileW(WideName(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return;
        const CHandle file(opened);
        LARGE_INTEGER size{};
        if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart <= 0)
            return;
        const CHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (mapping == NULL)
            return;
        m_view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
        m_size = m_view != nullptr ? static_cast<size_t>(size.QuadPart) : 0;
    }
    ~MappedFile()
    {
        if (m_view != nullptr)
            UnmapViewOfFile(m_view);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const unsigned char* Data() const { return static_cast<const unsigned char*>(m_view); }
    size_t Size() const { return m_size; }

private:
    void* m_view = nullptr;
    size_t m_size = 0;
};

// FreeType's stream over a mapping it owns: FreeType closes it when the face is done, or when
// the face cannot be opened.
struct MappedStream {
    FT_StreamRec stream{};
    MappedFile file;
    explicit MappedStream(const std::string& path) : file(path) {}
};

void CloseMappedStream(FT_Stream stream)
{
    delete static_cast<MappedStream*>(stream->descriptor.pointer);
}

} // namespace

hb_blob_t* OpenFontBlob(const std::string& path)
{
    auto* file = new MappedFile(path);
    if (file->Data() == nullptr || file->Size() > 0x7fffffffu) {
        delete file;
        return nullptr;
    }
    return hb_blob_create_or_fail(reinterpret_cast<const char*>(file->Data()), static_cast<unsigned>(file->Size()),
        HB_MEMORY_MODE_READONLY, file, [](void* data) { delete static_cast<MappedFile*>(data); });
}

bool OpenFreeTypeFace(FT_Library library, const std::string& path, int index, FT_Face* face)
{
    auto* mapped = new MappedStream(path);
    if (mapped->file.Data() == nullptr) {
        delete mapped;
        return false;
    }
    // A stream without a read function is read from `base` directly.
    mapped->stream.base = const_cast<unsigned char*>(mapped->file.Data());
    mapped->stream.size = static_cast<unsigned long>(mapped->file.Size());
    mapped->stream.descriptor.pointer = mapped;
    mapped->stream.close = CloseMappedStream;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &mapped->stream;
    return FT_Open_Face(library, &args, index, face) == 0;
}

} // namespace pdfstamp
