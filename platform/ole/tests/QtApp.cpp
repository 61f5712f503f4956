#include "QtApp.h"

#include <QApplication>

#include <cstdlib>

namespace {

// Lives until the process ends; Qt must not be torn down by static destructors.
QApplication* app = nullptr;
int argc = 1;
char name[] = "platform_ole_tests";
char* argv[] = {name, nullptr};

} // namespace

void EnsureQtApplication()
{
    if (!app) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new QApplication(argc, argv);
    }
}
