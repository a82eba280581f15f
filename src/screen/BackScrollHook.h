#pragma once

// The back-scroll view's button and up-down, which the main window enables and disables
// with the connection and with the sheet in front. The back-scroll view installs its
// own; this one does nothing.

class BackScrollHook {
public:
    virtual ~BackScrollHook() = default;
    virtual void setControlsEnabled(bool enabled) { static_cast<void>(enabled); }
};
