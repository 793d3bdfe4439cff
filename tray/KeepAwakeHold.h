#pragma once

// What keeps the display and the system on between two ticks.  A power
// request carries a reason, which the system shows to whoever asks what
// keeps the display on; where the system has no requests or refuses them,
// the thread's continuous execution state holds the same.  The system calls
// are the derived class's, so that tests can stand in for them.

#include <cstdint>
#include <string_view>

enum class PowerRequestKind { Display = 0, System = 1 };

inline constexpr std::uint32_t ExecutionContinuous = 0x80000000;
inline constexpr std::uint32_t ExecutionSystemRequired = 0x1;
inline constexpr std::uint32_t ExecutionDisplayRequired = 0x2;

class KeepAwakeHold {
public:
    virtual ~KeepAwakeHold() = default;

    // Holds both or releases both; a call that changes nothing calls nothing.
    void Set(bool held);

protected:
    // Makes the one request, with `reason` in code page 932; false when the
    // system has none to give.
    virtual bool CreateRequest(std::string_view reason) = 0;
    virtual bool SetRequest(PowerRequestKind kind) = 0;
    virtual void ClearRequest(PowerRequestKind kind) = 0;
    virtual void SetExecutionState(std::uint32_t flags) = 0;

private:
    bool held_ = false;
    bool asked_ = false;
    bool request_ = false;
    bool executionState_ = false;
};
