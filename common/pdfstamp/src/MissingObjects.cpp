#include "MissingObjects.h"

#include <set>

namespace pdfstamp {

std::vector<std::string> MissingObjects(QPDF& pdf, std::size_t most)
{
    std::vector<std::string> missing;
    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> pending{pdf.getTrailer()};
    while (!pending.empty() && missing.size() < most) {
        QPDFObjectHandle object = pending.back();
        pending.pop_back();
        if (object.isIndirect()) {
            if (!seen.insert(object.getObjGen()).second)
                continue;
            if (object.isNull()) {
                missing.push_back(object.getObjGen().unparse(' ') + " R");
                continue;
            }
        }
        if (object.isStream())
            object = object.getDict();
        if (object.isArray()) {
            for (const QPDFObjectHandle& item : object.getArrayAsVector())
                pending.push_back(item);
        } else if (object.isDictionary()) {
            for (const auto& [key, value] : object.getDictAsMap())
                if (key != "/Parent" && key != "/P") // back links lead to what is already walked
                    pending.push_back(value);
        }
    }
    return missing;
}

} // namespace pdfstamp
