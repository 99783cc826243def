#include "PdfEdit.h"

#include "PdfFile.h"

#include <algorithm>

namespace pdfstamp {

PdfEdit::PdfEdit(std::unique_ptr<QPDF> document)
    : m_document(std::move(document))
    , m_made(true)
{
}

PdfEdit::~PdfEdit() = default;

std::unique_ptr<PdfEdit> PdfEdit::Open(
    const std::string& path, std::vector<std::string>& warnings, std::string& error, bool whole)
{
    std::unique_ptr<PdfEdit> edit(new PdfEdit);
    const std::size_t known = warnings.size();
    edit->m_document = OpenPdf(path, edit->m_bytes, warnings, error);
    if (!edit->m_document)
        return nullptr;
    // A repaired file is written whole: its own cross-reference sections are what needed repair.
    if (!whole && warnings.size() == known)
        edit->StartUpdate();
    return edit;
}

bool PdfEdit::StartUpdate()
{
    QPDF& document = *m_document;
    // Bytes before the header shift every offset a reader sees; new strings and streams of an
    // encrypted file would need encrypting.
    if (m_bytes.compare(0, 5, "%PDF-") != 0 || document.isEncrypted() || !FindFileEnd(m_bytes, m_end))
        return false;
    // New objects are numbered after every number the file uses or declares.
    long long next = 1;
    QPDFObjectHandle size = document.getTrailer().getKey("/Size");
    if (size.isInteger())
        next = std::max(next, size.getIntValue());
    for (const auto& [og, entry] : document.getXRefTable())
        next = std::max(next, static_cast<long long>(og.getObj()) + 1);
    // The maker's own catalog and page tree are objects 1 and 2 (and never written).
    if (next < 3 || next >= 0x7FFFFF00)
        return false;
    // Made in a document of their own: making an object in the file's document would first read
    // every object of the file, to number it.
    auto maker = std::make_unique<QPDF>();
    maker->emptyPDF();
    maker->replaceObject(QPDFObjGen(static_cast<int>(next) - 1, 0), QPDFObjectHandle::newNull());
    m_maker = std::move(maker);
    m_firstNewId = static_cast<int>(next);
    return true;
}

QPDFObjectHandle PdfEdit::Refer(QPDFObjectHandle made)
{
    if (!m_maker)
        return made;
    // The document refers to a number it does not define; the update defines it. Meanwhile the
    // number stands for an empty dictionary: qpdf leaves a key whose value is null out of its
    // dictionary, and a reference to nothing is null.
    m_document->replaceObject(made.getObjGen(), QPDFObjectHandle::newDictionary());
    return m_document->getObject(made.getObjGen());
}

void PdfEdit::Changed(QPDFObjectHandle object)
{
    if (object.isIndirect())
        m_changed.insert(object.getObjGen());
}

void PdfEdit::KeepPlain(QPDFObjectHandle made)
{
    m_plain.insert(made.getObjGen());
}

bool PdfEdit::Save(const std::string& path, std::string& error)
{
    if (!m_maker)
        return ReplacePdf(*m_document, path, error, m_made);
    std::string bytes;
    try {
        std::vector<QPDFObjectHandle> objects;
        for (const QPDFObjGen& og : m_changed)
            objects.push_back(m_document->getObject(og));
        const int lastMade = static_cast<int>(m_maker->getObjectCount());
        for (int id = m_firstNewId; id <= lastMade; ++id) {
            QPDFObjectHandle made = m_maker->getObject(id, 0);
            // A number qpdf gave to an object that already had one is never referred to.
            if (made.getObjGen().getObj() == id)
                objects.push_back(made);
        }
        const std::string update = MakeUpdate(m_end, m_document->getTrailer(), lastMade + 1, objects, m_plain);
        bytes.reserve(m_bytes.size() + update.size());
        bytes.append(m_bytes).append(update);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return PutInPlace(path, bytes, error);
}

} // namespace pdfstamp
