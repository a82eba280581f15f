#include "desktop/EventServices.h"

#include "net/Session.h"
#include "screen/LinePipeline.h"

EventServices::EventServices(std::unique_ptr<SoundOutput> output, const SoundSettings& sounds,
                             const bool& saverOff, std::function<int()> charset)
    : m_output(std::move(output))
    , m_player(sounds, *m_output)
    , m_triggers(sounds, std::move(charset), m_player)
    , m_saverCheck(saverOff) {}

void EventServices::install(Session& session, LinePipeline& pipeline) {
    session.setHook(&m_player);
    pipeline.setSoundTriggers(&m_triggers);
    pipeline.setScreenSaverCheck(&m_saverCheck);
}
