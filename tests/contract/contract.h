// Shared cases: one statement of a contract that the stand-ins and the Win32 layer must
// both keep. Natively each CONTRACT_CASE is a GoogleTest test against the stand-ins;
// under Wine it is a harness case against the real files and windows. The body checks
// with CHECK, CHECK_EQ and REQUIRE on both sides, and states what Windows does.
#pragma once

#include "contract/contract_world.h"

#ifdef _WIN32

#include "harness/check.h"

#define CONTRACT_CASE(Suite, Name)           \
    static void Suite##_##Name##_Body();     \
    TEST_CASE(#Suite "." #Name) {            \
        contract::CaseScope contract_scope_; \
        Suite##_##Name##_Body();             \
    }                                        \
    static void Suite##_##Name##_Body()

// At the top of a case whose behaviour Wine does not share with Windows: under Wine its
// failures are reported as that known difference.
#define KNOWN_WINE_DIFFERENCE(why) check::KnownWineDifference(why)

#else

#include <gtest/gtest.h>

#define CONTRACT_CASE(Suite, Name)           \
    static void Suite##_##Name##_Body();     \
    TEST(Suite, Name) {                      \
        contract::CaseScope contract_scope_; \
        Suite##_##Name##_Body();             \
    }                                        \
    static void Suite##_##Name##_Body()

#define CHECK(cond) EXPECT_TRUE(cond)
#define CHECK_EQ(a, b) EXPECT_EQ(a, b)
#define REQUIRE(cond) ASSERT_TRUE(cond)
// The stand-ins behave as Windows does, so the mark has nothing to do natively.
#define KNOWN_WINE_DIFFERENCE(why) static_cast<void>(why)

#endif
