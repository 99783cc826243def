#include "PageContent.h"

#include <string>
#include <vector>

namespace pdfstamp {
namespace {

// Counts the q the content leaves open.
class SaveDepthCounter : public QPDFObjectHandle::ParserCallbacks {
public:
    void handleObject(QPDFObjectHandle object) override
    {
        if (!object.isOperator())
            return;
        const std::string op = object.getOperatorValue();
        if (op == "q")
            ++m_depth;
        else if (op == "Q" && m_depth > 0)
            --m_depth;
    }
    void handleEOF() override {}
    int Depth() const { return m_depth; }

private:
    int m_depth = 0;
};

int OpenSaveDepth(QPDFPageObjectHelper& page)
{
    SaveDepthCounter counter;
    try {
        page.parseContents(&counter);
    } catch (const std::exception&) {
        // Unparsable content still gets one Q for the q put in front of it.
    }
    return counter.Depth();
}

std::string UniqueName(QPDFObjectHandle dict, const std::string& stem)
{
    for (int n = 1;; ++n) {
        std::string name = "/" + stem + std::to_string(n);
        if (!dict.hasKey(name))
            return name;
    }
}

} // namespace

void DrawFormOnPage(PdfEdit& edit, QPDFPageObjectHelper& page, QPDFObjectHandle form)
{
    int depth = OpenSaveDepth(page);
    QPDFObjectHandle pageObject = page.getObjectHandle();
    // Shared or inherited resources are copied into the page first: the other pages keep theirs.
    QPDFObjectHandle resources = page.getAttribute("/Resources", true);
    if (!resources.isDictionary()) {
        resources = QPDFObjectHandle::newDictionary();
        pageObject.replaceKey("/Resources", resources);
    }
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    if (!xobjects.isDictionary()) {
        xobjects = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
    }
    std::string name = UniqueName(xobjects, "VizStamp");
    xobjects.replaceKey(name, edit.Refer(form));

    std::string tail = "\n";
    for (int i = 0; i <= depth; ++i)
        tail += "Q\n";
    tail += "q " + name + " Do Q\n";
    // The page's own streams stay where they are, referred to as before.
    QPDF& maker = edit.Maker();
    std::vector<QPDFObjectHandle> contents{edit.Refer(QPDFObjectHandle::newStream(&maker, "q\n"))};
    QPDFObjectHandle old = pageObject.getKey("/Contents");
    if (old.isArray()) {
        for (QPDFObjectHandle item : old.aitems())
            contents.push_back(item);
    } else if (old.isStream()) {
        contents.push_back(old);
    }
    contents.push_back(edit.Refer(QPDFObjectHandle::newStream(&maker, tail)));
    pageObject.replaceKey("/Contents", QPDFObjectHandle::newArray(contents));
    edit.Changed(pageObject);
    edit.Changed(xobjects);
}

} // namespace pdfstamp
