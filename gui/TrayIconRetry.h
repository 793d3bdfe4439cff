#pragma once

// When to try the tray icon again and when to tell the user it is missing.
// A shell that is still starting (at logon, when the Startup item runs the
// program) can refuse an add or time it out with the taskbar already there,
// so "TaskbarCreated" may never come; a refused icon is then tried again on
// a timer until the shell takes it, and the user hears of it once when that
// has failed for about a minute.  The timer runs only while the icon is
// missing.

// Retries every five seconds; twelve of them refused make the minute.
inline constexpr unsigned TrayRetryInterval = 5000;
inline constexpr int TrayRetriesBeforeTelling = 12;

enum class TrayAttempt {
    // An add or modify asked for by a change of the icon, its tip, its
    // registration or by a restarted taskbar.
    Change,
    // The retry timer's own attempt.
    Retry,
};

struct TrayRetryStep {
    bool timerEnabled;
    bool tellUser;
};

class TrayIconRetry {
public:
    // The shell's answer to an add or modify of a wanted icon.
    TrayRetryStep Answered(bool accepted, TrayAttempt attempt);
    // The icon is no longer wanted: nothing left to retry.
    TrayRetryStep Stopped();

private:
    int refusedRetries_ = 0;
    bool told_ = false;
};
