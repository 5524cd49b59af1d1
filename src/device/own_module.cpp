#include "device/own_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace vantoli {

void* ownModuleSymbol(const char* name, const char* symbol, std::string* problem)
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path file =
        (program.parent_path() / VANTOLI_MODULE_FROM_PROGRAM / (std::string("lib") + name + ".so")).lexically_normal();
    // Loaded once: a module stays for the life of the process, and dlopen counts the later calls.
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* address = module ? dlsym(module, symbol) : nullptr;
    if (!address && problem) {
        const char* why = dlerror();
        *problem = why ? why : file.string();
    }
    return address;
}

}  // namespace vantoli
