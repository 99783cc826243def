// vizrc: the resource compiler of the Linux build. Reads a .rc script (UTF-8) and writes a C++
// source holding the compiled resources in their Windows binary formats.
//
//   vizrc [-I dir]... [-D name[=value]]... [-l langid] -o out.cpp [--depfile out.d] script.rc
#include "Preprocessor.h"
#include "ScriptCompiler.h"
#include "ScriptContext.h"
#include "SourceEmitter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr std::uint16_t kDefaultLanguage = 0x0409; // rc.exe's default without /l

struct Options {
    std::vector<std::string> includeDirs;
    std::vector<std::pair<std::string, std::string>> defines;
    std::uint16_t language = kDefaultLanguage;
    std::string output, depfile, input;
};

int Usage()
{
    std::cerr << "usage: vizrc [-I dir]... [-D name[=value]]... [-l langid] -o out.cpp [--depfile out.d] script.rc\n";
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](size_t prefix) -> std::string {
            if (a.size() > prefix)
                return a.substr(prefix);
            return ++i < argc ? argv[i] : std::string();
        };
        if (a.rfind("-I", 0) == 0) {
            o.includeDirs.push_back(value(2));
        } else if (a.rfind("-D", 0) == 0) {
            std::string d = value(2);
            size_t eq = d.find('=');
            o.defines.emplace_back(d.substr(0, eq), eq == std::string::npos ? "1" : d.substr(eq + 1));
        } else if (a == "-l") {
            o.language = static_cast<std::uint16_t>(std::strtoul(value(2).c_str(), nullptr, 16));
        } else if (a == "-o") {
            o.output = value(2);
        } else if (a == "--depfile") {
            o.depfile = value(9);
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else {
            o.input = a;
        }
    }
    return !o.input.empty() && !o.output.empty();
}

std::string EscapeForMake(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#')
            out += '\\';
        else if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options))
        return Usage();
    try {
        vizrc::Preprocessor preprocessor(options.includeDirs);
        for (const auto& [name, value] : options.defines)
            preprocessor.Define(name, value);
        std::vector<vizrc::Token> tokens = preprocessor.Run(options.input);

        size_t slash = options.input.find_last_of('/');
        std::string dir = slash == std::string::npos ? "." : options.input.substr(0, slash);
        vizrc::ScriptContext context(dir, options.includeDirs, options.language);
        std::vector<vizrc::Resource> resources = vizrc::CompileScript(std::move(tokens), context);

        std::ostringstream source;
        vizrc::EmitSource(resources, options.input.substr(slash == std::string::npos ? 0 : slash + 1), source);
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(options.output).parent_path(), ignored);
        std::ofstream out(options.output, std::ios::binary | std::ios::trunc);
        out << source.str();
        if (!out.flush()) {
            std::cerr << "vizrc: cannot write " << options.output << "\n";
            return 1;
        }
        if (!options.depfile.empty()) {
            std::ofstream dep(options.depfile, std::ios::trunc);
            dep << EscapeForMake(options.output) << ":";
            for (const std::string& f : preprocessor.FilesRead())
                dep << " \\\n  " << EscapeForMake(f);
            for (const std::string& f : context.FilesRead())
                dep << " \\\n  " << EscapeForMake(f);
            dep << "\n";
        }
    } catch (const vizrc::CompileError& e) {
        std::cerr << e.what() << "\n";
        std::remove(options.output.c_str());
        return 1;
    }
    return 0;
}
