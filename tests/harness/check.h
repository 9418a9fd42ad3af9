// A small test harness for the Windows-side test programs (Wine tier and end-to-end),
// where GoogleTest is not available. Cases register themselves; the program runs the
// cases whose names start with its first argument (all of them without one) and ends
// with a "N passed, N failed" line.
#pragma once

#include <sstream>
#include <string>

namespace check {

using CaseBody = void (*)();

struct Registrar {
    Registrar(const char* name, CaseBody body);
};

// Records a failure of the running case (the case goes on).
void Fail(const char* file, int line, const std::string& what);
// The folder the test program may use for its files (created fresh per case).
std::string Scratch();

template <typename A, typename B>
std::string Describe(const char* expr, const A& a, const B& b) {
    std::ostringstream out;
    out << expr << " (got [" << a << "], expected [" << b << "])";
    return out.str();
}

}  // namespace check

#define CHECK_CAT2(a, b) a##b
#define CHECK_CAT(a, b) CHECK_CAT2(a, b)
#define TEST_CASE(name)                                                                         \
    static void CHECK_CAT(check_case_, __LINE__)();                                             \
    static check::Registrar CHECK_CAT(check_reg_, __LINE__)(name,                               \
                                                            &CHECK_CAT(check_case_, __LINE__)); \
    static void CHECK_CAT(check_case_, __LINE__)()

#define CHECK(cond)                                          \
    do {                                                     \
        if (!(cond)) check::Fail(__FILE__, __LINE__, #cond); \
    } while (0)

#define CHECK_EQ(a, b)                                                                          \
    do {                                                                                        \
        const auto& check_a_ = (a);                                                             \
        const auto& check_b_ = (b);                                                             \
        if (!(check_a_ == check_b_))                                                            \
            check::Fail(__FILE__, __LINE__, check::Describe(#a " == " #b, check_a_, check_b_)); \
    } while (0)

// Stops the running case at once when cond is false.
#define REQUIRE(cond)                               \
    do {                                            \
        if (!(cond)) {                              \
            check::Fail(__FILE__, __LINE__, #cond); \
            return;                                 \
        }                                           \
    } while (0)
