// The viewer map: which program shows a file of which extension. Its file is XML:
//
//   <?xml version="1.0" encoding="utf-8"?>
//   <ViewerMap>
//     <Viewer extensions=".pdf" program="xdg-open" />
//     <Viewer extensions=".dwg;.dxf" program="librecad" />
//     <Viewer extensions="*" program="xdg-open" />
//   </ViewerMap>
//
// Extensions compare without regard to case; "*" matches any file.
#pragma once

#include <string>
#include <vector>

namespace viewer {

struct ViewerEntry {
    std::vector<std::string> extensions; // lower case, with the dot, or "*"
    std::string program;
};

class ViewerMap {
public:
    // False when the file cannot be read; entries it cannot parse are skipped.
    bool Load(const std::string& posixPath);
    void LoadFromText(const std::string& xml);
    // The program for a file name, empty when none matches.
    std::string ProgramFor(const std::string& fileName) const;
    const std::vector<ViewerEntry>& Entries() const { return m_entries; }

private:
    std::vector<ViewerEntry> m_entries;
};

} // namespace viewer
