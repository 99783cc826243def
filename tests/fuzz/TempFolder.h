// A fresh folder under /tmp for one fuzz run, removed with its content afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/win32test.XXXXXX";
        m_path = ::mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Posix() const { return m_path; }
    // The folder as the module would name it: a POSIX path with backslashes after it.
    std::wstring Windows(const std::wstring& name) const
    {
        return std::wstring(m_path.begin(), m_path.end()) + L"\\" + name;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_path + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(m_path + "/" + name, std::ios::binary) << content;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_path + "/" + name); }

private:
    std::string m_path;
};
