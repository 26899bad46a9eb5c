#include "Game/FrameSequence.h"

#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Update.h"
#include "Game/I_FrameBackend.h"

namespace Game {

void FrameSequence::run()
{
    while (!backend.frameLoopDone()) {
        runFrame();
    }
}

void FrameSequence::runFrame()
{
    backend.pollFocus();
    backend.pollJoysticks();
    updateAndRender();
}

void FrameSequence::updateAndRender()
{
    EVT::EventBus& bus = EVT::EventBus::instance();
    const float delta = backend.frameDelta();
    EVT::Event_PreUpdate preUpdate(delta);
    bus.raiseEvent(&preUpdate, false);
    EVT::Event_Update update(delta);
    bus.raiseEvent(&update, false);

    const bool rendered = backend.beginRender();
    if (rendered) {
        EVT::Event render(EVT::RENDER);
        bus.raiseEvent(&render, false);
    }
    backend.endRender(rendered);
    backend.endFrame();
}

} // namespace Game
