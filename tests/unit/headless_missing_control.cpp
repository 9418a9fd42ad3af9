// Turns the headless model's report of a control that a loaded form lacks into a failure
// of the running test, at the call that named it, instead of the default abort.
#include <gtest/gtest.h>

#include <string>

#include "platform/standin/headless.h"

namespace {

void FailTheRunningTest(const std::string& form, const std::string& control) {
    ADD_FAILURE() << "no control \"" << control << "\" in the loaded form " << form;
}

[[maybe_unused]] const bool kReporterInstalled =
    (headless::SetMissingControlReporter(FailTheRunningTest), true);

}  // namespace
