// A document open for stamping, and how it goes back to its file. A file that reads cleanly gets
// an incremental update: what the drawing made or changed is appended to the file's own bytes,
// which are neither parsed whole nor written again. A repaired, encrypted or new document is
// written whole by qpdf.
#pragma once

#include "IncrementalUpdate.h"

#include <qpdf/QPDF.hh>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace pdfstamp {

class PdfEdit {
public:
    // A document made in memory, written whole, the same document as the same bytes.
    explicit PdfEdit(std::unique_ptr<QPDF> document);
    ~PdfEdit();
    PdfEdit(const PdfEdit&) = delete;
    PdfEdit& operator=(const PdfEdit&) = delete;

    // Null (with the reason) when the file is missing or cannot be read even with repairs. What
    // reading had to repair is appended to `warnings`. With `whole`, the document is written
    // whole even when the file read cleanly.
    static std::unique_ptr<PdfEdit> Open(
        const std::string& path, std::vector<std::string>& warnings, std::string& error, bool whole = false);

    QPDF& Document() { return *m_document; }
    bool IsUpdate() const { return m_maker != nullptr; }

    // Where the drawing makes its objects. They refer to each other only, never to the document's.
    QPDF& Maker() { return m_maker ? *m_maker : *m_document; }
    // The reference that the document's own objects hold to an object made by Maker().
    QPDFObjectHandle Refer(QPDFObjectHandle made);
    // Records an object of the document that the drawing changed; direct objects are part of
    // the object that holds them, which the caller records.
    void Changed(QPDFObjectHandle object);
    // Keeps a stream made by Maker() out of the update's deflating: one that tools read as bytes
    // (XMP), or one whose deflating costs more time than its bytes are worth.
    void KeepPlain(QPDFObjectHandle made);

    // Puts the edited document in place of `path`, only ever as a complete file: on any failure,
    // a full disk included, `path` is as it was. Warnings while writing (a damaged stream copied
    // as it is) are left in the document for the caller to take.
    bool Save(const std::string& path, std::string& error);

private:
    PdfEdit() = default;
    bool StartUpdate();

    std::string m_bytes; // the file as read; the document reads from it, so it outlives the document
    std::unique_ptr<QPDF> m_document;
    std::unique_ptr<QPDF> m_maker; // null when the document is written whole
    bool m_made = false;           // made in memory: written whole with an identifier from its content
    FileEnd m_end;
    int m_firstNewId = 0;
    std::set<QPDFObjGen> m_changed;
    std::set<QPDFObjGen> m_plain;
};

} // namespace pdfstamp
