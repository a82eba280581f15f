#include "rig/Hamlib.h"

#include <QLibrary>

#include <memory>

namespace {

template <typename Function>
bool resolve(QLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

std::unique_ptr<HamlibApi> openHamlib() {
    QLibrary library(QStringLiteral("hamlib"), 4); // libhamlib.so.4, never unloaded
    auto api = std::make_unique<HamlibApi>();
    const bool complete = library.load() && resolve(library, "rig_init", api->init) &&
                          resolve(library, "rig_open", api->open) &&
                          resolve(library, "rig_close", api->close) &&
                          resolve(library, "rig_cleanup", api->cleanup) &&
                          resolve(library, "rig_token_lookup", api->tokenLookup) &&
                          resolve(library, "rig_set_conf", api->setConf) &&
                          resolve(library, "rig_set_cache_timeout_ms", api->setCacheTimeoutMs) &&
                          resolve(library, "rig_get_freq", api->getFreq) &&
                          resolve(library, "rig_set_freq", api->setFreq) &&
                          resolve(library, "rig_set_mode", api->setMode) &&
                          resolve(library, "rig_set_debug", api->setDebug) &&
                          resolve(library, "rig_load_all_backends", api->loadAllBackends) &&
                          resolve(library, "rig_list_foreach", api->listForeach) &&
                          resolve(library, "rigerror2", api->error);
    if (!complete)
        return nullptr;
    api->setDebug(RIG_DEBUG_NONE); // Hamlib's own chatter stays off unless asked for
    return api;
}

} // namespace

const HamlibApi* hamlib() {
    static const std::unique_ptr<HamlibApi> api = openHamlib();
    return api.get();
}
