// SPDX-License-Identifier: MIT
#include "host/step_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv::host {
namespace {

// Three steps; the second fails the first `failures` times it runs.
struct Routine {
    std::vector<std::string> trace;
    int failures = 1;

    StepRunner build(StepRunner runner) {
        return runner.step("a", [this] { trace.push_back("a"); })
            .step("b",
                  [this] {
                      trace.push_back("b");
                      if (failures-- > 0) throw Error(3021, "Recordset", "No current record.");
                  })
            .step("c", [this] { trace.push_back("c"); });
    }
};

TEST(StepRunnerTest, StopEndsAtTheFailingStepAndReportsIt) {
    Routine r;
    StepOutcome out = r.build(StepRunner::stopOnError()).run();
    EXPECT_EQ(r.trace, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(out.end, StepOutcome::End::Stopped);
    ASSERT_TRUE(out.failure);
    EXPECT_EQ(out.failure->index, 1u);
    EXPECT_EQ(out.failure->error.number(), 3021);
    EXPECT_EQ(out.failure->error.source(), "Recordset");
    EXPECT_THROW(out.rethrow(), Error);
}

TEST(StepRunnerTest, ResumeNextSkipsEveryFailingStep) {
    Routine r;
    r.failures = 5;
    StepOutcome out = r.build(StepRunner::resumeNext()).run();
    EXPECT_EQ(r.trace, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(out.completed());
    ASSERT_EQ(out.passed.size(), 1u);
    EXPECT_EQ(out.passed[0].name, "b");
    EXPECT_NO_THROW(out.rethrow());
}

TEST(StepRunnerTest, HandlerAnswersRetryContinueOrAbort) {
    struct Case {
        std::vector<Recovery> answers;
        std::vector<std::string> trace;
        StepOutcome::End end;
    };
    const Case cases[] = {
        // Retry runs the failed step again; it succeeds on its second run.
        {{Recovery::Retry}, {"a", "b", "b", "c"}, StepOutcome::End::Completed},
        {{Recovery::Continue}, {"a", "b", "c"}, StepOutcome::End::Completed},
        {{Recovery::Abort}, {"a", "b"}, StepOutcome::End::Aborted},
        {{Recovery::Retry, Recovery::Abort}, {"a", "b", "b"}, StepOutcome::End::Aborted},
    };
    for (const auto& c : cases) {
        Routine r;
        r.failures = static_cast<int>(c.answers.size());
        std::size_t asked = 0;
        StepOutcome out = r.build(StepRunner::withHandler([&](const StepFailure& f) {
                               EXPECT_EQ(f.name, "b");
                               return c.answers.at(asked++);
                           })).run();
        EXPECT_EQ(r.trace, c.trace);
        EXPECT_EQ(out.end, c.end);
        EXPECT_EQ(asked, c.answers.size());
    }
}

TEST(StepRunnerTest, OtherExceptionsAreNotSwallowed) {
    auto runner = StepRunner::resumeNext().step("bad", [] { throw std::logic_error("fault"); });
    EXPECT_THROW(runner.run(), std::logic_error);
}

}  // namespace
}  // namespace qv::host
