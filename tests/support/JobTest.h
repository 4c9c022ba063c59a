// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobState.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin::test {

// A job's test: a fresh current directory, the state a job leaves, the panels it wrote.
class JobTest : public ::testing::Test {
protected:
    TestDirectory directory;
    JobState state;
    RecordingStatus status;
};

} // namespace borvelin::test
