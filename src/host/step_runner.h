// SPDX-License-Identifier: MIT
// StepRunner: runs a routine's steps in written order and states in one place
// what happens when a step fails: stop and report, skip it (resume-on-error),
// or ask a handler to retry the step, continue with the next, or abort.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/error.h"

namespace qv::host {

// The answer of a failure handler.
enum class Recovery { Retry, Continue, Abort };

// A step that failed: its position, its name and the error it raised.
struct StepFailure {
    std::size_t index;
    std::string name;
    Error error;
};

// What run() did.
struct StepOutcome {
    enum class End { Completed, Stopped, Aborted };
    End end = End::Completed;
    // The failure that stopped or aborted the routine.
    std::optional<StepFailure> failure;
    // Failures passed over (skipped, or continued past by the handler), in order.
    std::vector<StepFailure> passed;

    bool completed() const { return end == End::Completed; }
    // Throws the stopping or aborting failure again; does nothing otherwise.
    void rethrow() const;
};

class StepRunner {
  public:
    using Step = std::function<void()>;
    using Handler = std::function<Recovery(const StepFailure&)>;

    // The first failing step ends the routine; its error is in the outcome.
    static StepRunner stopOnError();
    // A failing step is skipped and the next one runs.
    static StepRunner resumeNext();
    // A failing step is handed to `handler`: Retry runs it again, Continue
    // goes on with the next step, Abort ends the routine at once.
    static StepRunner withHandler(Handler handler);

    // Adds a step; steps run in the order they were added.
    StepRunner& step(std::string name, Step step);

    // Runs every step under the policy. Only Error is treated as a step
    // failure: any other exception is a fault and leaves run() unchanged.
    StepOutcome run() const;

  private:
    enum class Policy { Stop, Skip, Ask };
    StepRunner(Policy policy, Handler handler);

    struct Named {
        std::string name;
        Step run;
    };
    Policy m_policy;
    Handler m_handler;
    std::vector<Named> m_steps;
};

}  // namespace qv::host
