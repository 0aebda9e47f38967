// A small project built by hand for the host tests, and a fixture that
// loads it and unloads the workspace afterwards.
#ifndef TOVEX_TESTS_HOST_PROJECT_H
#define TOVEX_TESTS_HOST_PROJECT_H

#include <gtest/gtest.h>

#include <memory>

#include "model/workspace.h"
#include "objstore/fault_injection.h"

namespace host_test {

inline constexpr std::uint32_t instance = 7;

// ETHYLENE-1 / Base Case: an exchanger in an area, cooling water streams
// joined to it, a utility streams configuration and a few databases.
std::unique_ptr<qxhost::Project> sample_project();

class LoadedProject : public ::testing::Test {
protected:
    void SetUp() override { qxhost::Workspace::get().load(sample_project()); }
    void TearDown() override
    {
        qxhost::fail_slot_write_at(0);
        qxhost::Workspace::get().unload();
    }
    qxhost::Project& project() { return *qxhost::Workspace::get().project(); }
};

}  // namespace host_test

#endif
