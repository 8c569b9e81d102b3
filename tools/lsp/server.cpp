#include "server.h"

#include <unistd.h>

#include <exception>

namespace tobra::lsp {

using nlohmann::json;

namespace {

// JSON-RPC error codes.
constexpr int PARSE_ERROR = -32700;
constexpr int INVALID_REQUEST = -32600;
constexpr int METHOD_NOT_FOUND = -32601;
constexpr int INVALID_PARAMS = -32602;
constexpr int INTERNAL_ERROR = -32603;
constexpr int SERVER_NOT_INITIALIZED = -32002;

struct RpcError {
    int code;
    std::string message;
};

json error_reply(const json& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// One edit of a document: the whole text, or a range of it replaced.
void apply_change(std::string& text, const json& change) {
    if (!change.contains("range")) {
        text = change.at("text").get<std::string>();
        return;
    }
    auto offset = [&](const json& pos) {
        const long line = pos.at("line").get<long>();
        size_t start = 0;
        for (long i = 0; i < line; ++i) {
            const size_t nl = text.find('\n', start);
            if (nl == std::string::npos) return text.size();
            start = nl + 1;
        }
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        return start + byte_of_utf16(std::string_view(text).substr(start, end - start), pos.at("character").get<long>());
    };
    const size_t b = offset(change["range"]["start"]), e = offset(change["range"]["end"]);
    text.replace(b, e >= b ? e - b : 0, change.at("text").get<std::string>());
}

std::string path_param(const json& params) {
    const std::string path = path_of_uri(params.at("textDocument").at("uri").get<std::string>());
    if (path.empty()) throw RpcError{INVALID_PARAMS, "only file: URIs are served"};
    return normal_path(path);
}

} // namespace

int Server::run() {
    while (!exited_) {
        if (!pending_.empty() && !transport_.input_waiting()) flush();
        const std::optional<std::string> body = transport_.read_body();
        if (!body) break;
        json message = json::parse(*body, nullptr, false);
        if (message.is_discarded()) {
            transport_.write(error_reply(nullptr, PARSE_ERROR, "the message is not JSON"));
            continue;
        }
        handle(message);
    }
    return exited_ && shut_down_ ? 0 : 1;
}

void Server::handle(const json& message) {
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
        // A client's reply to a request of ours (none is sent that waits for one).
        if (message.is_object() && (message.contains("result") || message.contains("error"))) return;
        transport_.write(error_reply(message.is_object() && message.contains("id") ? message["id"] : json(nullptr),
                                     INVALID_REQUEST, "not a request"));
        return;
    }
    const std::string method = message["method"].get<std::string>();
    const json params = message.value("params", json::object());
    if (!message.contains("id")) {
        try {
            notification(method, params);
        } catch (const std::exception& e) {
            show_message(1, "tobra-lsp: " + method + ": " + e.what());
        } catch (const RpcError& e) {
            show_message(1, "tobra-lsp: " + method + ": " + e.message);
        }
        return;
    }
    const json& id = message["id"];
    try {
        flush();
        if (!initialized_ && method != "initialize") throw RpcError{SERVER_NOT_INITIALIZED, "not initialized"};
        if (shut_down_) throw RpcError{INVALID_REQUEST, "the server is shut down"};
        json result = request(method, params);
        transport_.write({{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
    } catch (const RpcError& e) {
        transport_.write(error_reply(id, e.code, e.message));
    } catch (const json::exception& e) {
        transport_.write(error_reply(id, INVALID_PARAMS, e.what()));
    } catch (const std::exception& e) {
        transport_.write(error_reply(id, INTERNAL_ERROR, e.what()));
    }
}

json Server::request(const std::string& method, const json& params) {
    if (method == "initialize") return initialize(params);
    if (method == "shutdown") {
        shut_down_ = true;
        return nullptr;
    }
    if (method == "textDocument/hover") return features_.hover(place_of(params));
    if (method == "textDocument/definition") return features_.definition(place_of(params));
    if (method == "textDocument/references") {
        const bool declaration = params.contains("context") && params["context"].value("includeDeclaration", false);
        return features_.references(place_of(params), declaration);
    }
    if (method == "textDocument/documentSymbol") return features_.document_symbols(path_param(params));
    if (method == "textDocument/completion") return features_.completion(place_of(params));
    throw RpcError{METHOD_NOT_FOUND, "unknown method " + method};
}

void Server::notification(const std::string& method, const json& params) {
    if (method == "exit") {
        exited_ = true;
        return;
    }
    if (!initialized_) return;
    if (method == "textDocument/didOpen") {
        const json& td = params.at("textDocument");
        const std::string path = path_param(params);
        docs_.open(path, {td.at("uri").get<std::string>(), td.at("text").get<std::string>(), td.value("version", 0L)});
        changed(path);
    } else if (method == "textDocument/didChange") {
        const std::string path = path_param(params);
        Document* doc = docs_.find(path);
        if (!doc) return;
        for (const json& change : params.at("contentChanges")) apply_change(doc->text, change);
        doc->version = params["textDocument"].value("version", doc->version);
        changed(path);
    } else if (method == "textDocument/didClose") {
        const std::string path = path_param(params);
        flush();
        docs_.close(path);
        std::set<std::string> touched = project_.forget(path);
        // The assemblies that include it read it from disk again.
        if (!project_.units_of(path).empty()) {
            const std::set<std::string> more = project_.refresh(path);
            touched.insert(more.begin(), more.end());
        }
        // An open file that only the closed one included stands on its own again.
        for (const std::string& file : std::set<std::string>(touched))
            if (file != path && docs_.find(file) && project_.units_of(file).empty()) {
                const std::set<std::string> more = project_.refresh(file);
                touched.insert(more.begin(), more.end());
            }
        publish(touched, {});
    } else if (method == "workspace/didChangeConfiguration") {
        const json& s = params.value("settings", json());
        if (s.is_object()) {
            const std::string error = project_.settings.merge(s.contains("tobra") ? s["tobra"] : s);
            if (!error.empty()) show_message(1, "tobra-lsp: " + error);
            project_.configure_roots();
            for (const auto& [path, doc] : docs_.all()) changed(path);
        }
    }
}

json Server::initialize(const json& params) {
    std::string root;
    if (params.contains("rootUri") && params["rootUri"].is_string())
        root = path_of_uri(params["rootUri"].get<std::string>());
    else if (params.contains("rootPath") && params["rootPath"].is_string())
        root = params["rootPath"].get<std::string>();
    else if (params.contains("workspaceFolders") && params["workspaceFolders"].is_array() &&
             !params["workspaceFolders"].empty())
        root = path_of_uri(params["workspaceFolders"][0].value("uri", ""));
    // Relative names (include directories, roots, includes as written) are
    // taken from the workspace root, as a build run there would.
    if (!root.empty() && chdir(root.c_str()) != 0) show_message(2, "tobra-lsp: cannot enter " + root);
    const std::string file_error = project_.load_settings_file(".");
    if (!file_error.empty()) show_message(1, "tobra-lsp: " + file_error);
    if (params.contains("initializationOptions")) {
        const std::string error = project_.settings.merge(params["initializationOptions"]);
        if (!error.empty()) show_message(1, "tobra-lsp: initializationOptions: " + error);
    }
    initialized_ = true;
    project_.configure_roots();
    return {{"capabilities",
             {{"textDocumentSync", {{"openClose", true}, {"change", 1}}},
              {"hoverProvider", true},
              {"definitionProvider", true},
              {"referencesProvider", true},
              {"documentSymbolProvider", true},
              {"completionProvider", json::object()}}},
            {"serverInfo", {{"name", "tobra-lsp"}}}};
}

void Server::changed(const std::string& path) { pending_.insert(path); }

void Server::flush() {
    if (pending_.empty()) return;
    std::set<std::string> changed, touched, done;
    changed.swap(pending_);
    for (const std::string& path : changed) {
        // An assembly already redone for a file changed with this one serves both.
        bool covered = false;
        for (const Unit* u : project_.units_of(path))
            for (const std::string& d : done) covered = covered || u->reached.count(d) != 0;
        done.insert(path);
        if (covered) continue;
        const std::set<std::string> t = project_.refresh(path);
        touched.insert(t.begin(), t.end());
    }
    touched.insert(changed.begin(), changed.end());
    publish(touched, changed);
}

void Server::publish(const std::set<std::string>& files, const std::set<std::string>& always) {
    for (const std::string& file : files) {
        json diagnostics = project_.diagnostics_of(file);
        auto old = published_.find(file);
        const bool same = old != published_.end() ? old->second == diagnostics : diagnostics.empty();
        if (same && !always.count(file)) continue;
        json params = {{"uri", uri_of_path(file)}, {"diagnostics", diagnostics}};
        if (const Document* doc = docs_.find(file)) params["version"] = doc->version;
        transport_.write({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}});
        published_[file] = std::move(diagnostics);
    }
}

void Server::show_message(int type, const std::string& text) {
    transport_.write({{"jsonrpc", "2.0"}, {"method", "window/showMessage"}, {"params", {{"type", type}, {"message", text}}}});
}

Place Server::place_of(const json& params) const {
    Place p;
    p.path = path_param(params);
    p.line = params.at("position").at("line").get<long>();
    p.character = params.at("position").at("character").get<long>();
    return p;
}

} // namespace tobra::lsp
