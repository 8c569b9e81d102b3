// The workspace: its settings, and the assemblies that cover the files the
// editor shows. A root file is assembled with every open file's unsaved text;
// a file belongs to each root whose assembly reached it.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "documents.h"
#include "driver/session.h"

namespace tobra::lsp {

// What the workspace file (tobra-lsp.json) and the client's
// initializationOptions may set; the client's keys win.
struct Settings {
    std::string core;                       // "5208"; empty: the assembler's default part
    std::vector<std::string> include_dirs;  // -I
    std::vector<std::string> defines;       // -D, "NAME" or "NAME=VALUE"
    std::vector<std::string> roots;         // the files assembled as roots
    std::vector<std::string> args;          // other command-line arguments

    // Reads the keys present in `j`; a key of the wrong type is an error text.
    std::string merge(const nlohmann::json& j);
    // As a command line takes them; the part only when `with_core`.
    std::vector<std::string> arguments(bool with_core = true) const;
};

inline constexpr const char* SETTINGS_FILE = "tobra-lsp.json";

// One root's last assembly.
struct Unit {
    bool configured = false;  // named by the settings (else a file on its own)
    bool collected = false;   // names, macros, includes and lines were gathered
    tobra::AssemblyResult result;
    std::set<std::string> reached;  // the root and every file it read, normalised
};

class Project {
public:
    explicit Project(DocumentStore& docs) : docs_(docs) {}

    Settings settings;
    // Read at start-up; the error of a bad file, or empty.
    std::string load_settings_file(const std::string& directory);
    void configure_roots();

    // Assembles the roots that reach `path` (the file itself when none does)
    // and returns every file whose diagnostics may have changed.
    std::set<std::string> refresh(const std::string& path);
    // Diagnostics come first: an edit is assembled without gathering names,
    // which the requests about a place have gathered when they come.
    void collect(const std::string& path);
    // A file closed: its own assembly goes, unless the settings name it.
    std::set<std::string> forget(const std::string& path);

    // The assemblies that reached the file, the settings' roots first.
    std::vector<const Unit*> units_of(const std::string& path) const;
    // The LSP diagnostics of one file, from every assembly that reached it.
    nlohmann::json diagnostics_of(const std::string& path) const;
    // A file name an assembly reported, as a normalised path.
    static std::string path_of(const std::string& name) { return normal_path(name); }
    const std::map<std::string, Unit>& units() const { return units_; }

private:
    Unit& assemble(const std::string& root, bool configured, bool collect = false);
    void scan_includes(const std::string& root, std::set<std::string>& reached) const;
    DocumentStore& docs_;
    std::map<std::string, Unit> units_;
};

} // namespace tobra::lsp
