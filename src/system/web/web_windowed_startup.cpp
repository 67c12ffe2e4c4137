#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "system/web/web_system_driver.h"

void StartWindowedProgram(int argc, char** argv, const std::function<void()>& program) {
    StartProgram(argc, argv, [&program] {
        InstallWebSystemDriver();
        program();
    });
}
