#pragma once

// Hamlib's rig models, for choosing one: number, manufacturer and model name, sorted
// for display ("Hamlib Dummy", "Hamlib NET rigctl", "Yaesu FT-991"...). Also loads
// Hamlib's backends, once for the whole program, before anything else touches them.

#include <QList>
#include <QString>

struct RigModel {
    int number = 0;
    QString manufacturer;
    QString name;

    QString displayName() const { return manufacturer + QLatin1Char(' ') + name; }
};

namespace RigModels {

// Opens Hamlib (its debug output silenced) and loads every backend; later calls do
// nothing. False when Hamlib is not installed. Safe from any thread.
bool loadBackends();

QList<RigModel> all();

} // namespace RigModels
