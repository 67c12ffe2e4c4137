#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "system/win32/win32_system_driver.h"

void StartWindowedProgram(int argc, char** argv, const std::function<void()>& program) {
    StartProgram(argc, argv, [&program] {
        if (!SystemDriver()) {
            InstallWin32SystemDriver();
        }
        program();
    });
}
