#pragma once

// Names the cases of a parameterised test after the `label` member of their
// parameter, so that a failure names the row of the table it came from.

#include <string>

struct CaseLabel {
    template <class TestParamInfo> std::string operator()(const TestParamInfo& testInfo) const
    {
        return testInfo.param.label;
    }
};
