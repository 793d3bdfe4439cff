#pragma once

// A stand-in system DLL of the tests (tests/standin/) in the prefix's
// system folder for as long as the object lives.  Only a program started
// with Override() in its environment loads it; every other keeps Wine's.

#include <string>

class PlacedStandIn {
public:
    // `name` without ".dll", as the build names it (say "wtsapi32").
    explicit PlacedStandIn(const std::string& name);
    ~PlacedStandIn();
    PlacedStandIn(const PlacedStandIn&) = delete;
    PlacedStandIn& operator=(const PlacedStandIn&) = delete;

    bool Placed() const { return placed_; }
    // The assignment for the Unix shell that starts the program.
    std::string Override() const { return "WINEDLLOVERRIDES=" + name_ + "=n"; }

private:
    std::string name_;
    std::string target_;
    bool placed_ = false;
};
