#pragma once

// Running a test against a box that the main thread shows modally: a
// BoxObserver runs a script on a second thread that watches and answers the
// box; a MainThreadRunner lets that script start further boxes on the main
// thread, inside the modal loop, the way a timer of the tray window would;
// a LabelRecorder keeps every text the countdown labels showed.

#include "BoxProbe.h"

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Runs `script` on a second thread.  When it has finished, every box still
// open gets the close command (the modal loop on the main thread would
// otherwise never end), and that counts as a test failure.
class BoxObserver {
public:
    explicit BoxObserver(std::function<void()> script);
    ~BoxObserver();
    BoxObserver(const BoxObserver&) = delete;
    BoxObserver& operator=(const BoxObserver&) = delete;

    static DWORD MainThread() { return mainThread_; }

private:
    static inline DWORD mainThread_ = 0;
    std::thread thread_;
};

// A hidden window of the main thread through which another thread has code
// run there: Post returns at once (the code may open a box of its own and
// sit in its modal loop), Call waits for the result.
class MainThreadRunner {
public:
    MainThreadRunner();
    ~MainThreadRunner();
    MainThreadRunner(const MainThreadRunner&) = delete;
    MainThreadRunner& operator=(const MainThreadRunner&) = delete;

    void Post(std::function<void()> work) const;
    void Call(std::function<void()> work) const;

private:
    HWND window_ = nullptr;
};

// Every text and position the countdown labels of the boxes had, in order,
// as the main thread set them.  One recorder at a time.
class LabelRecorder {
public:
    struct Entry {
        DWORD tick;
        HWND label;
        std::string text;
        RECT rect; // in the box's client coordinates
        int boxClientWidth;
    };

    LabelRecorder();
    ~LabelRecorder();
    LabelRecorder(const LabelRecorder&) = delete;
    LabelRecorder& operator=(const LabelRecorder&) = delete;

    // Read on the main thread only, once the boxes are gone.
    const std::vector<Entry>& Entries() const { return entries_; }
    // The texts one label showed, a repeated text once.
    std::vector<std::string> TextsOf(HWND label) const;
    std::vector<HWND> Labels() const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Record(HWND window);

    HHOOK hook_ = nullptr;
    std::vector<Entry> entries_;
    static inline LabelRecorder* active_ = nullptr;
};
