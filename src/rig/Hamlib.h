#pragma once

// Hamlib, opened the first time a rig or the list of rigs is needed rather than linked:
// loading the library relocates its tables of rig drivers, several megabytes, which a
// program without a rig should not carry. Compiled against Hamlib's header, so its
// types and constants are the library's own.
//
// Threading: any thread; the library is opened once.

#include <hamlib/rig.h>

struct HamlibApi {
    decltype(&::rig_init) init;
    decltype(&::rig_open) open;
    decltype(&::rig_close) close;
    decltype(&::rig_cleanup) cleanup;
    decltype(&::rig_token_lookup) tokenLookup;
    decltype(&::rig_set_conf) setConf;
    decltype(&::rig_set_cache_timeout_ms) setCacheTimeoutMs;
    decltype(&::rig_get_freq) getFreq;
    decltype(&::rig_set_freq) setFreq;
    decltype(&::rig_set_mode) setMode;
    decltype(&::rig_set_debug) setDebug;
    decltype(&::rig_load_all_backends) loadAllBackends;
    decltype(&::rig_list_foreach) listForeach;
    decltype(&::rigerror2) error;
};

// Null when the library is not installed or lacks a function.
const HamlibApi* hamlib();
