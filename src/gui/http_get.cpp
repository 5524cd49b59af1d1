#include "gui/http_get.h"

#include <QtGlobal>

#include <mutex>
#include <string>

#include "device/own_module.h"

namespace vantoli {

std::unique_ptr<HttpGet> startHttpGet(QObject* owner, const HttpGetRequest& request, HttpGetHandlers handlers)
{
    static StartHttpGet start = nullptr;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        std::string problem;
        start = reinterpret_cast<StartHttpGet>(ownModuleSymbol("vantoli_network", "vantoliStartHttpGet", &problem));
        if (!start) qWarning("The network module is missing: %s", problem.c_str());
    });
    if (!start) return nullptr;
    return std::unique_ptr<HttpGet>(start(owner, request, std::move(handlers)));
}

}  // namespace vantoli
