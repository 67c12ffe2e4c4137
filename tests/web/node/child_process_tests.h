#pragma once

// Tests of how a program ends run the ending in a child process. Node's
// WebAssembly has no fork, so there the child is this test program started
// again under Node, running only the test at hand up to the ending asked
// for, which it then runs; the parent checks the child's exit status and
// standard error as the desktop's tests do. Forced into every test source
// of the browser's build (CMakeLists.txt).

#include <gtest/gtest.h>

#include <string>

#if !GTEST_HAS_DEATH_TEST

namespace testing {

// The predicate of the desktop's tests, on the child's exit status.
class ExitedWithCode {
public:
    explicit ExitedWithCode(int code) : _code(code) {}
    bool operator()(int status) const { return status == _code; }

private:
    int _code;
};

} // namespace testing

namespace sewer_child {

struct TEnding {
    bool ran = false; // false in a child, where another ending is the one to run
    int status = 0;
    std::string errors;
};

// Whether this process is the child started for the ending at `line` of
// the running test, at this visit of that line.
bool IsChildFor(int line);
// In the parent: starts the child for the ending at `line` and waits for it.
// In a child started for another ending: nothing (ran is false).
TEnding RunChild(int line);
// In the child, when the statement came back instead of ending the program.
[[noreturn]] void StatementReturned();
// Whether standard error matches the desktop's regular expression.
bool ErrorsMatch(const std::string& errors, const std::string& pattern);

} // namespace sewer_child

#define SEWER_CHILD_ENDING(statement, predicate, regex, fail)                                      \
    if (::sewer_child::IsChildFor(__LINE__)) {                                                     \
        statement;                                                                                 \
        ::sewer_child::StatementReturned();                                                        \
    } else if (const ::sewer_child::TEnding sewerEnding = ::sewer_child::RunChild(__LINE__);       \
               sewerEnding.ran)                                                                    \
    fail((predicate)(sewerEnding.status) && ::sewer_child::ErrorsMatch(sewerEnding.errors, regex)) \
        << "the child ended with status " << sewerEnding.status << " and wrote:\n"                 \
        << sewerEnding.errors << "\nexpected to match: " << (regex)

#define EXPECT_EXIT(statement, predicate, regex)                                                   \
    SEWER_CHILD_ENDING(statement, predicate, regex, EXPECT_TRUE)
#define ASSERT_EXIT(statement, predicate, regex)                                                   \
    SEWER_CHILD_ENDING(statement, predicate, regex, ASSERT_TRUE)

#endif
