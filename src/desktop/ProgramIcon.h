#pragma once

// The program's icon, in the sizes kept in its resources, for its windows and the
// about box.

#include <QIcon>

QIcon programIcon();
