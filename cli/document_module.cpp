#include "cli/document_module.h"

#include "document/module_entry.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#ifndef ZOLT_DOCUMENT_MODULE_DIR
#define ZOLT_DOCUMENT_MODULE_DIR "../lib/zolt/modules"
#endif

namespace zolt::cli {

namespace {

// The folder of the running program, from the kernel rather than argv[0],
// which may be a bare name found on PATH or a symbolic link.
std::string programFolder() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    const std::string program(path.data(), static_cast<std::size_t>(length));
    const std::size_t slash = program.find_last_of('/');
    return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

struct Module {
    document::ModuleEntry entry = nullptr;
    std::string problem; // why there is no entry
};

Module loadModule() {
    Module module;
    const std::string folder = programFolder();
    if (folder.empty()) {
        module.problem = "cartella del programma sconosciuta";
        return module;
    }
    const std::string candidates[] = {
        folder + "/" + document::kModuleFileName,
        folder + "/" ZOLT_DOCUMENT_MODULE_DIR "/" + document::kModuleFileName,
    };
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) != 0)
            continue;
        // Kept for the rest of the run: Qt cannot be unloaded.
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            module.problem = dlerror();
            return module;
        }
        module.entry =
            reinterpret_cast<document::ModuleEntry>(dlsym(handle, document::kModuleEntryName));
        if (module.entry == nullptr)
            module.problem = path + ": " + document::kModuleEntryName + " mancante";
        return module;
    }
    module.problem = std::string(document::kModuleFileName) + " non trovato in " + folder +
                     " n\u00e9 in " + folder + "/" ZOLT_DOCUMENT_MODULE_DIR;
    return module;
}

} // namespace

std::optional<std::string> renderWithDocumentModule(const document::ReportRequest& request,
                                                    document::ReportFormat format) {
    static const Module module = loadModule();
    if (module.entry == nullptr) {
        std::fprintf(stderr, "zolt-calc: modulo dei documenti non disponibile (%s)\n",
                     module.problem.c_str());
        return std::nullopt;
    }
    std::string bytes;
    if (!module.entry(&request, static_cast<int>(format), &bytes))
        return std::nullopt;
    return bytes;
}

} // namespace zolt::cli
