#include "child_process_tests.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <utility>

// This program again, under the same Node, with the ending's place in the
// environment. Returns the child's exit status, a newline and its standard
// error, in memory of malloc's that the caller frees.
// clang-format off
EM_JS(char*, RunThisTestAgain, (const char* filter, int line, int visit), {
    const child = require("child_process").spawnSync(
        process.execPath, process.execArgv.concat([process.argv[1], UTF8ToString(filter)]), {
            env: Object.assign({}, process.env,
                               {SEWER_CHILD_LINE: String(line), SEWER_CHILD_VISIT: String(visit)}),
            encoding: "utf8",
            maxBuffer: 64 * 1024 * 1024
        });
    const status = child.status === null ? -1 : child.status;
    const text = String(status) + "\n" + (child.stderr || "");
    const size = lengthBytesUTF8(text) + 1;
    const buffer = _malloc(size);
    stringToUTF8(text, buffer, size);
    return buffer;
});
// clang-format on

namespace sewer_child {

namespace {

// A status no test expects: the statement did not end the program.
constexpr int StatementReturnedStatus = 199;

std::string RunningTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

// How often the running test has reached `line`, this visit included.
int Visit(int line) {
    static std::string test;
    static std::map<int, int> visits;
    if (RunningTest() != test) {
        test = RunningTest();
        visits.clear();
    }
    return ++visits[line];
}

// The C library's environment is the program's own, not Node's: the child's
// marks are read from Node's.
EM_JS(int, ChildTarget, (const char* name), {
    const value = process.env[UTF8ToString(name)];
    return value ? parseInt(value, 10) : 0;
});
// clang-format on

bool IsChild() {
    return ChildTarget("SEWER_CHILD_LINE") != 0;
}

} // namespace

bool IsChildFor(int line) {
    if (!IsChild()) {
        return false;
    }
    const int visit = Visit(line);
    return line == ChildTarget("SEWER_CHILD_LINE") && visit == ChildTarget("SEWER_CHILD_VISIT");
}

TEnding RunChild(int line) {
    if (IsChild()) {
        return {};
    }
    const int visit = Visit(line);
    const std::string filter = "--gtest_filter=" + RunningTest();
    char* errors = RunThisTestAgain(filter.c_str(), line, visit);
    std::string reply(errors);
    std::free(errors);
    const size_t newline = reply.find('\n');
    TEnding ending;
    ending.ran = true;
    ending.status = std::atoi(reply.substr(0, newline).c_str());
    ending.errors = reply.substr(newline + 1);
    return ending;
}

void StatementReturned() {
    std::fputs("the statement returned instead of ending the program", stderr);
    std::fflush(stderr);
    std::_Exit(StatementReturnedStatus);
}

bool ErrorsMatch(const std::string& errors, const std::string& pattern) {
    // An empty expression matches anything.
    return pattern.empty() || std::regex_search(errors, std::regex(pattern));
}

} // namespace sewer_child
