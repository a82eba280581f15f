#include "rig/RigModels.h"

#include "rig/Hamlib.h"

#include <algorithm>

namespace {

int addModel(const rig_caps* caps, rig_ptr_t models) {
    static_cast<QList<RigModel>*>(models)->append({int(caps->rig_model),
                                                   QString::fromUtf8(caps->mfg_name),
                                                   QString::fromUtf8(caps->model_name)});
    return 1; // go on
}

} // namespace

bool RigModels::loadBackends() {
    // Once and before any rig exists: backends register into Hamlib's shared table.
    static const bool loaded = hamlib() && hamlib()->loadAllBackends() == RIG_OK;
    return loaded;
}

QList<RigModel> RigModels::all() {
    QList<RigModel> models;
    if (!loadBackends())
        return models;
    hamlib()->listForeach(addModel, &models);
    std::sort(models.begin(), models.end(), [](const RigModel& a, const RigModel& b) {
        return a.displayName().compare(b.displayName(), Qt::CaseInsensitive) < 0;
    });
    return models;
}
