#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "system/win32/win32_system_driver.h"
#include "system/xinput/xinput_library.h"

namespace {

// XInput's pads, read on every pump alongside the window messages.
class TXInputSource final : public TWin32InputSource {
public:
    std::vector<TKeyTransition> Poll(TKeyHolders& holders) override { return _pads.Poll(holders); }

private:
    TXInputPads _pads{LoadXInputReader()};
};

} // namespace

void StartWindowedProgram(int argc, char** argv, const std::function<void()>& program) {
    StartProgram(argc, argv, [&program] {
        if (!SystemDriver()) {
            InstallWin32SystemDriver()->AddInputSource(std::make_shared<TXInputSource>());
        }
        program();
    });
}
