// What the editor asks about a place in a file: hover, definition,
// references, the outline and completion. Each answers from the last
// assemblies of the project and the text of the line.
#pragma once
#include <string>

#include <nlohmann/json.hpp>

#include "project.h"

namespace tobra::lsp {

struct Place {
    std::string path;
    long line = 0;       // from 0
    long character = 0;  // UTF-16 units from 0
};

class Features {
public:
    Features(Project& project, DocumentStore& docs) : project_(project), docs_(docs) {}

    nlohmann::json hover(const Place& at);
    nlohmann::json definition(const Place& at);
    nlohmann::json references(const Place& at, bool with_declaration);
    nlohmann::json document_symbols(const std::string& path);
    nlohmann::json completion(const Place& at);

private:
    Project& project_;
    DocumentStore& docs_;
};

} // namespace tobra::lsp
