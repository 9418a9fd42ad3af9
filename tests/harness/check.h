// A small test harness for the Windows-side test programs (Wine tier and end-to-end),
// where GoogleTest is not available. Cases register themselves; the program runs the
// cases whose names start with its first argument (all of them without one) and ends
// with a "N passed, N failed, N known differences of Wine" line. A case may declare a
// known difference of Wine (KnownWineDifference): its failures are then reported as that
// difference instead of failing the program.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace check {

using CaseBody = void (*)();

struct Registrar {
    Registrar(const char* name, CaseBody body);
};

// Records a failure of the running case (the case goes on).
void Fail(const char* file, int line, const std::string& what);
// The folder the test program may use for its files (created fresh per case), in code
// page 936 like every path of the cases.
std::string Scratch();
// Marks the running case as one where Wine is known to differ from Windows: its failures
// are reported as that difference and do not fail the run.
void KnownWineDifference(const char* why);

template <typename T>
void Print(std::ostream& out, const T& value) {
    if constexpr (requires { out << value; })
        out << value;
    else
        out << "?";
}
template <typename T>
void Print(std::ostream& out, const std::vector<T>& values) {
    out << "{";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out << ", ";
        Print(out, values[i]);
    }
    out << "}";
}

template <typename A, typename B>
std::string Describe(const char* expr, const A& a, const B& b) {
    std::ostringstream out;
    out << expr << " (got [";
    Print(out, a);
    out << "], expected [";
    Print(out, b);
    out << "])";
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
