#include "sound.h"
#include <QApplication>

namespace controls {
namespace {
int g_beeps = 0;
}

void beep()
{
    ++g_beeps;
    QApplication::beep();
}

int beepCount() { return g_beeps; }

} // namespace controls
