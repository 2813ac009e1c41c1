// SPDX-License-Identifier: MIT
#include "host/step_runner.h"

#include <utility>

namespace qv::host {

void StepOutcome::rethrow() const {
    if (failure) throw failure->error;
}

StepRunner::StepRunner(Policy policy, Handler handler)
    : m_policy(policy), m_handler(std::move(handler)) {}

StepRunner StepRunner::stopOnError() {
    return StepRunner(Policy::Stop, {});
}
StepRunner StepRunner::resumeNext() {
    return StepRunner(Policy::Skip, {});
}
StepRunner StepRunner::withHandler(Handler handler) {
    return StepRunner(Policy::Ask, std::move(handler));
}

StepRunner& StepRunner::step(std::string name, Step step) {
    m_steps.push_back({std::move(name), std::move(step)});
    return *this;
}

StepOutcome StepRunner::run() const {
    StepOutcome outcome;
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        for (;;) {
            std::optional<StepFailure> failed;
            try {
                m_steps[i].run();
            } catch (const Error& e) {
                failed = StepFailure{i, m_steps[i].name, e};
            }
            if (!failed) break;

            Recovery answer = Recovery::Abort;
            switch (m_policy) {
                case Policy::Stop:
                    answer = Recovery::Abort;
                    break;
                case Policy::Skip:
                    answer = Recovery::Continue;
                    break;
                case Policy::Ask:
                    answer = m_handler ? m_handler(*failed) : Recovery::Abort;
                    break;
            }
            if (answer == Recovery::Retry) continue;
            if (answer == Recovery::Continue) {
                outcome.passed.push_back(std::move(*failed));
                break;
            }
            outcome.end =
                m_policy == Policy::Stop ? StepOutcome::End::Stopped : StepOutcome::End::Aborted;
            outcome.failure = std::move(failed);
            return outcome;
        }
    }
    return outcome;
}

}  // namespace qv::host
