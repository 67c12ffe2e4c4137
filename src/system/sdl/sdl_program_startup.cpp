#include "system/sdl/sdl_program_startup.h"

#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "system/sdl/sdl_system_driver.h"

void StartSDLProgram(int argc, char** argv, const std::function<void()>& program) {
    // Inside the program rather than before the start-up, so that the crash
    // and termination handlers already stand when SDL starts.
    StartProgram(argc, argv, [&program] {
        if (!SystemDriver()) {
            InstallSDLSystemDriver();
        }
        program();
    });
}

void StartWindowedProgram(int argc, char** argv, const std::function<void()>& program) {
    StartSDLProgram(argc, argv, program);
}
