#include "MemoryInput.h"

#include "WholeFile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>

namespace pdfstamp {

std::shared_ptr<InputSource> ReadIntoMemory(const std::string& path, std::string& bytes, std::string& error)
{
    if (ReadWholeFile(path, bytes, bytes.max_size()) != WholeFile::Read) {
        error = "cannot read " + path;
        return nullptr;
    }
    // The Buffer only points at the bytes (qpdf's caller-owned form); the source owns the Buffer.
    auto* view = new Buffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    return std::make_shared<BufferInputSource>(path, view, true);
}

} // namespace pdfstamp
