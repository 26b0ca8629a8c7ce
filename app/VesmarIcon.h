#pragma once

#include <QIcon>

// The program's icon: a dark-red and a light peg over a "V", drawn at the
// sizes the desktop asks for.
QIcon VesmarIcon();
