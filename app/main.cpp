// The Vantrel program: its resources and the one application object.
#include "res/ProgramResources.h"
#include "shell/VantrelApp.h"

namespace {

CVantrelApp theApp;

} // namespace

int main(int argc, char** argv)
{
    RegisterProgramResources();
    return AfxWinMain(argc, argv);
}
