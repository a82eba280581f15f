#include "rig/RigModels.h"

#include <algorithm>
#include <hamlib/rig.h>

namespace {

int addModel(const rig_caps* caps, rig_ptr_t models) {
    static_cast<QList<RigModel>*>(models)->append({int(caps->rig_model),
                                                   QString::fromUtf8(caps->mfg_name),
                                                   QString::fromUtf8(caps->model_name)});
    return 1; // go on
}

} // namespace

void RigModels::loadBackends() {
    // Once and before any rig exists: backends register into Hamlib's shared table.
    static const bool loaded = [] {
        rig_set_debug(RIG_DEBUG_NONE);
        return rig_load_all_backends() == RIG_OK;
    }();
    Q_UNUSED(loaded);
}

QList<RigModel> RigModels::all() {
    loadBackends();
    QList<RigModel> models;
    rig_list_foreach(addModel, &models);
    std::sort(models.begin(), models.end(), [](const RigModel& a, const RigModel& b) {
        return a.displayName().compare(b.displayName(), Qt::CaseInsensitive) < 0;
    });
    return models;
}
