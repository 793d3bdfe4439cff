#pragma once

// When to try the tray icon again, with which call, and when to tell the
// user it is missing.  A shell that is still starting (at logon, when the
// Startup item runs the program) can refuse an add or time it out with the
// taskbar already there, so "TaskbarCreated" may never come; a refused icon
// is then tried again on a timer until the shell takes it, and the user
// hears of it once when that has failed for about a minute.  The timer runs
// only while the icon is missing.
//
// A call that timed out answers FALSE although a busy shell may still carry
// it out a moment later: an add it then holds refuses every further add as a
// duplicate.  So the icon counts as there only on the shell's say-so, each
// attempt makes one call (a refusal can take seconds), the call alternates
// between add and modify while they are refused, and an icon of which an add
// was ever tried is deleted when it is taken out.

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

enum class TrayCall { Add, Modify };

struct TrayRetryStep {
    bool timerEnabled;
    bool tellUser;
};

class TrayIconRetry {
public:
    // The call the next attempt at a wanted icon makes.
    TrayCall NextCall() const { return nextCall_; }
    // The shell's last answer says it holds the icon.
    bool IconAdded() const { return iconAdded_; }
    // The shell's answer to NextCall() for a wanted icon.
    TrayRetryStep Answered(bool accepted, TrayAttempt attempt);
    // The shell is to forget the icon, which is taken out or goes to a
    // restarted taskbar anew; the next attempt adds.  True when an add was
    // tried since the last time, so that the shell may hold the icon and
    // is to be told to delete it.
    bool Forget();
    // The icon is no longer wanted: nothing left to retry.
    TrayRetryStep Stopped();

private:
    TrayCall nextCall_ = TrayCall::Add;
    bool iconAdded_ = false;
    bool addTried_ = false;
    int refusedRetries_ = 0;
    bool told_ = false;
};
