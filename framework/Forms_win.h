#pragma once
// Forms and the application.
//
// TForm: a top-level window without system border or caption, owned by the application's window
// (so the task bar shows the application title), centred on the screen when first shown. Close
// hides a secondary form and ends the program for the main form; ShowModal disables the thread's
// other windows, runs the message loop until ModalResult is set, and refuses a visible form with
// EInvalidOperation("Cannot make a visible window modal").
//
// TApplication: the one application object (`Application()`), its title, the message loop, the
// main form (the first form made through CreateForm), ProcessMessages, Minimize, Terminate, and
// the top-level error report for exceptions that no action handled.
//
//   TApplication app;  app.SetTitle("Trimwell");
//   auto& main = app.CreateForm<TMyForm>();   // OnCreate runs inside
//   app.Run();                                  // OnShow of the main form runs in the loop
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Controls_win.h"

namespace trimwell {

class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    bool IsForm() const override { return true; }

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // Size of the client area; with no border it is the window's size.
    void SetClientWidth(int w) { SetWidth(w); }
    void SetClientHeight(int h) { SetHeight(h); }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    // The layout stores whether the form scales with the screen's pixel density; these forms
    // never do, so the value is only kept.
    void SetScaled(bool v) { scaled_ = v; }
    bool Scaled() const { return scaled_; }

    void Close();
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool IsModal() const { return modal_; }
    // Brings the form up, activating it.
    void BringToFront() override;

    // The control that had the focus last; focus returns there when the form is activated.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* c);
    // Tells every control of the form which control has the focus now (FocusChanged); also
    // for a control whose answer depends on a setting that just changed.
    void AnnounceFocusChanged() { FocusChanged(activeControl_); }
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;

    // Called by CreateForm after construction (and after the layout was loaded): runs OnCreate.
    virtual void DoCreate();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void VisibleChanged() override;

private:
    bool keyPreview_ = false;
    bool scaled_ = true;
    bool modal_ = false;
    bool shownOnce_ = false;
    int modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
};

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    HWND Handle() const { return handle_.get(); }

    // Makes a form owned by the application; the first one becomes the main form.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        T& form = Add<T>(std::forward<Args>(args)...);
        if (mainForm_ == nullptr) mainForm_ = &form;
        form.DoCreate();
        return form;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and handles messages until Terminate.
    void Run();
    // Handles every message waiting in the queue, then returns. A quit request met here is
    // recorded (Terminated) and honoured when control is back in Run.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void Minimize();
    void Restore();

    // The top-level error report: a message box titled with the application title, error icon,
    // the message with a full stop appended when its last character is above the full stop.
    void ShowException(const std::exception& e);
    static std::string ReportText(const std::string& message);

    void Notification(TComponent& component, TOperation operation) override;

private:
    bool processMessage(MSG& msg);

    std::string title_;
    UniqueWindow handle_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

// The application object of the process (made by the program entry or by a test).
TApplication& Application();
bool HasApplication();

}  // namespace trimwell
