#pragma once

// A window-message timer of a form, created disabled; its id is handed out
// by the form.  An interval of 0 never fires, whatever Enabled says;
// changing either restarts the count.

#include "base/Callback.h"
#include "gui/Component.h"

#include <windows.h>

class Form;

class Timer : public Component {
public:
    Timer(Form& owner, UINT interval, Callback<void()> onTimer);
    ~Timer() override;

    void SetInterval(UINT interval);
    void SetEnabled(bool enabled);

private:
    friend class Form;
    void Fire();
    void Update();

    Form& owner_;
    UINT id_;
    UINT interval_;
    bool enabled_ = false;
    Callback<void()> onTimer_;
};
