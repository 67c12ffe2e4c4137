#include "system/crash_signals.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

struct TExceptionName {
    DWORD code;
    const char* line;
};

constexpr std::array<TExceptionName, 20> ExceptionNames{{
    {EXCEPTION_ACCESS_VIOLATION, "EXCEPTION_ACCESS_VIOLATION\n"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED\n"},
    {EXCEPTION_BREAKPOINT, "EXCEPTION_BREAKPOINT\n"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "EXCEPTION_DATATYPE_MISALIGNMENT\n"},
    {EXCEPTION_FLT_DENORMAL_OPERAND, "EXCEPTION_FLT_DENORMAL_OPERAND\n"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "EXCEPTION_FLT_DIVIDE_BY_ZERO\n"},
    {EXCEPTION_FLT_INEXACT_RESULT, "EXCEPTION_FLT_INEXACT_RESULT\n"},
    {EXCEPTION_FLT_INVALID_OPERATION, "EXCEPTION_FLT_INVALID_OPERATION\n"},
    {EXCEPTION_FLT_OVERFLOW, "EXCEPTION_FLT_OVERFLOW\n"},
    {EXCEPTION_FLT_STACK_CHECK, "EXCEPTION_FLT_STACK_CHECK\n"},
    {EXCEPTION_FLT_UNDERFLOW, "EXCEPTION_FLT_UNDERFLOW\n"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "EXCEPTION_ILLEGAL_INSTRUCTION\n"},
    {EXCEPTION_IN_PAGE_ERROR, "EXCEPTION_IN_PAGE_ERROR\n"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "EXCEPTION_INT_DIVIDE_BY_ZERO\n"},
    {EXCEPTION_INT_OVERFLOW, "EXCEPTION_INT_OVERFLOW\n"},
    {EXCEPTION_INVALID_DISPOSITION, "EXCEPTION_INVALID_DISPOSITION\n"},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, "EXCEPTION_NONCONTINUABLE_EXCEPTION\n"},
    {EXCEPTION_PRIV_INSTRUCTION, "EXCEPTION_PRIV_INSTRUCTION\n"},
    {EXCEPTION_SINGLE_STEP, "EXCEPTION_SINGLE_STEP\n"},
    {EXCEPTION_STACK_OVERFLOW, "EXCEPTION_STACK_OVERFLOW\n"},
}};

const char* LineFor(DWORD code) {
    for (const auto& exception : ExceptionNames) {
        if (exception.code == code) {
            return exception.line;
        }
    }
    return "EXCEPTION_UNKNOWN\n";
}

// The process may be in any state here: no allocation, no C library stream,
// only the system's own calls. The status is the exception's code, which is
// what Windows reports for a program that crashed; no dialog holds the
// process up, and the system releases its window and devices.
LONG WINAPI ReportException(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    const char* line = LineFor(code);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(std::strlen(line)), &written,
              nullptr);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void InstallCrashSignalHandlers() {
    SetUnhandledExceptionFilter(ReportException);
}
