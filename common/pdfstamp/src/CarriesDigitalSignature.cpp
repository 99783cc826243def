#include "CarriesDigitalSignature.h"

#include <qpdf/QPDFAcroFormDocumentHelper.hh>

namespace pdfstamp {

bool CarriesDigitalSignature(QPDF& pdf)
{
    QPDFObjectHandle acroForm = pdf.getRoot().getKey("/AcroForm");
    if (!acroForm.isDictionary())
        return false;
    // Bit 1 of /SigFlags: the document contains at least one signature.
    QPDFObjectHandle flags = acroForm.getKey("/SigFlags");
    if (flags.isInteger() && (flags.getIntValue() & 1) != 0)
        return true;
    QPDFAcroFormDocumentHelper form(pdf);
    for (QPDFFormFieldObjectHelper& field : form.getFormFields())
        if (field.getFieldType() == "/Sig" && field.getValue().isDictionary())
            return true;
    return false;
}

} // namespace pdfstamp
