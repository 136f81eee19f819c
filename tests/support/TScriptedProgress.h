// A progress double: records what long work reported and asks to stop at a
// chosen step.
#pragma once

#include "core/app/TProgress.h"

#include <string>
#include <vector>

namespace quarno::test {

class TScriptedProgress : public TProgress {
public:
    // Step answers false (stop) once it reaches value; 0: never.
    void StopAt(int value) { m_stopAt = value; }

    void Begin(const std::string& text, int maximum) override {
        texts.push_back(text);
        maximums.push_back(maximum);
    }
    bool Step(int value) override {
        steps.push_back(value);
        return m_stopAt == 0 || value < m_stopAt;
    }
    void End() override { ++ends; }

    std::vector<std::string> texts;
    std::vector<int> maximums;
    std::vector<int> steps;
    int ends = 0;

private:
    int m_stopAt = 0;
};

} // namespace quarno::test
