#pragma once

// What tells an operator away from the keyboard that something happened: the event
// sounds (on connect, on disconnect, on the trigger strings) and the ending of a running
// screen saver when a line arrives. Built by the main window over the settings it holds
// and installed into its session and its line fan-out; the environment dialog's "test"
// buttons play through player().

#include "desktop/ScreenSaverCheck.h"
#include "desktop/SoundPlayer.h"
#include "desktop/SoundSettings.h"
#include "desktop/SoundTriggers.h"

#include <functional>
#include <memory>

class LinePipeline;
class Session;

class EventServices {
public:
    // sounds, saverOff and charset are read whenever a sound or a line asks for them.
    EventServices(std::unique_ptr<SoundOutput> output, const SoundSettings& sounds,
                  const bool& saverOff, std::function<int()> charset);

    void install(Session& session, LinePipeline& pipeline);
    SoundPlayer& player() { return m_player; }
    // Where sounds are played, for alerts that bring their own file.
    SoundOutput& output() { return *m_output; }

private:
    std::unique_ptr<SoundOutput> m_output;
    SoundPlayer m_player;
    SoundTriggers m_triggers;
    ScreenSaverCheck m_saverCheck;
};
