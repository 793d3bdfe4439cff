#pragma once

// The setup window: shown to install the program, hidden while it removes
// it.  Its class name tells other copies that a setup is under way.

#include "program/RunMode.h"
#include "gui/Form.h"

inline constexpr char SetupWindowClassName[] = "TSDRIM32SETUPForm";

class TSDRIM32SETUPForm : public Form {
public:
    explicit TSDRIM32SETUPForm(RunMode mode);

    RunMode Mode() const { return mode_; }

private:
    RunMode mode_;
};
