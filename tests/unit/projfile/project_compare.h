// Field-by-field comparison of two projects, reporting the first difference.
#ifndef TOVEX_TESTS_PROJFILE_PROJECT_COMPARE_H
#define TOVEX_TESTS_PROJFILE_PROJECT_COMPARE_H

#include <gtest/gtest.h>

#include "model/workspace.h"

namespace projfile_test {

// Equal numbers are the same bits (so -0 differs from 0 and every NaN
// equals every NaN).
::testing::AssertionResult same_project(const qxhost::Project& a, const qxhost::Project& b);

}  // namespace projfile_test

#endif
