// The library's entry point by name, opened on the first call; null with the reason in `error`.
#pragma once

#include <string>

namespace pdfstamp::ondemand {

void* FindEntryPoint(const char* name, std::string& error);

} // namespace pdfstamp::ondemand
