// The language server's message loop: the lifecycle (initialize, shutdown,
// exit), the text of open documents, and the requests, handed to Features.
#pragma once
#include <map>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "documents.h"
#include "features.h"
#include "project.h"
#include "transport.h"

namespace tobra::lsp {

class Server {
public:
    explicit Server(Transport& transport) : transport_(transport) {}
    // Serves until the exit notification or the end of the input; the
    // process's exit status (0 only after a shutdown request).
    int run();

private:
    void handle(const nlohmann::json& message);
    nlohmann::json request(const std::string& method, const nlohmann::json& params);
    void notification(const std::string& method, const nlohmann::json& params);
    nlohmann::json initialize(const nlohmann::json& params);
    void changed(const std::string& path);
    // Assembles for the changes not yet assembled and publishes.
    void flush();
    // Publishes the files whose diagnostics changed, and those of `always` in any case.
    void publish(const std::set<std::string>& files, const std::set<std::string>& always);
    void show_message(int type, const std::string& text);
    Place place_of(const nlohmann::json& params) const;

    Transport& transport_;
    DocumentStore docs_;
    Project project_{docs_};
    Features features_{project_, docs_};
    bool initialized_ = false;
    bool shut_down_ = false;
    bool exited_ = false;
    std::map<std::string, nlohmann::json> published_;
    // Files changed since the last assembly: a burst of edits is assembled
    // once, when no message waits or a request needs the result.
    std::set<std::string> pending_;
};

} // namespace tobra::lsp
