// SPDX-License-Identifier: MIT
// Seeds for randomised tests: a fresh one per run, or the value of the
// environment variable QV_TEST_SEED to replay a failure whose seed was printed.
#pragma once

namespace qv::test {

unsigned testSeed();

}  // namespace qv::test
