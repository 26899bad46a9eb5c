#include "OnlineLogic.h"

#include <ostream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "Devices/Joypad.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "OnlineAddress.h"
#include "Util/Debug.h"
#include "app/online/ClientSession.h"
#include "app/online/Protocol.h"
#include "app/sound/MatchSounds.h"
#include "app/sound/SoundChoice.h"
#include "app/views/OnlineTextView.h"

namespace Tool {

namespace {

using Phase = Online::ClientSession::Phase;

Online::ClientOptions clientOptions(const MatchOptions& options)
{
    Online::ClientOptions client;
    const OnlineAddress address = OnlineAddress::fromSettings();
    client.host = address.host;
    client.port = address.port;
    const std::string name = CFG::get("NAME");
    if (!name.empty()) {
        client.name = name.substr(0, Online::Protocol::MAX_NAME);
    }
    client.password = CFG::get("PASSWORD");
    // Without people on this keyboard there is still one seat to play.
    client.seats = options.humans < 1 ? 1 : options.humans;
    return client;
}

OnlineScreen::Phase screenPhase(Phase phase)
{
    switch (phase) {
    case Phase::CONNECTING:
        return OnlineScreen::CONNECTING;
    case Phase::LOBBY:
    case Phase::OVER:
        return OnlineScreen::LOBBY;
    case Phase::MATCH:
        return OnlineScreen::MATCH;
    case Phase::REFUSED:
        return OnlineScreen::REFUSED;
    case Phase::LOST:
        return OnlineScreen::LOST;
    case Phase::LEFT:
        break;
    }
    return OnlineScreen::LEFT;
}

OnlineLogic::TransportMaker& transportMaker()
{
    static OnlineLogic::TransportMaker maker;
    return maker;
}

} // namespace

void OnlineLogic::useTransports(TransportMaker maker)
{
    transportMaker() = std::move(maker);
}

OnlineLogic::OnlineLogic(Game::GameManager* gameManager, ArenaMaker arenaMaker)
    : gameManager(gameManager), options(), session(), screen(), score(), steering(),
      makeArena(std::move(arenaMaker)), arena(nullptr), arenaMatch(nullptr), words(nullptr),
      soundOn(CFG::parser()->getBool("SOUND")), inMatch(false)
{
    // The client's own settings give only the people and their keys; the
    // match itself comes from the server.
    // The settings check said at start-up what is limited.
    std::ostream quiet(nullptr);
    options = MatchOptions::read(MatchOptions::MAX_HUMANS, quiet);
    client = clientOptions(options);
    screen.server = OnlineAddress{client.host, client.port}.text();
    // Escape as the leave key needs no word: outside a match it quits.
    if (options.leaveKey != 0 && options.leaveKey != KEY_ESCAPE) {
        screen.leaveName = CFG::get("KEY_LEAVE");
    }
    join();
    // The seats' pads work from the lobby on (A says ready).
    steering.start(options, client.seats);
    words = new OnlineTextView(gameManager, screen);
    gameManager->getViewManager()->add(words);
    EVT::EventBus::instance().addConsumer(EVT::KEY, this);
}

OnlineLogic::~OnlineLogic()
{
    doExit("");
}

void OnlineLogic::setPause(bool) {}

void OnlineLogic::onEnter(const std::string&, const std::string&) {}

void OnlineLogic::doExit(const std::string&)
{
    EVT::EventBus::instance().removeConsumer(this);
    if (session) {
        leave();
        session.reset();
    }
    removeArena();
    if (words != nullptr) {
        gameManager->getViewManager()->remove(words);
        delete words;
        words = nullptr;
    }
}

void OnlineLogic::removeArena()
{
    sounds.reset();
    if (arena != nullptr) {
        gameManager->getViewManager()->remove(arena);
        delete arena;
        arena = nullptr;
    }
}

std::string OnlineLogic::onUpdate(float)
{
    const Phase before = session->phase();
    usePads();
    // The turns go first, so that a step due in this frame plays them, as a
    // local match reads the held keys at its step.
    if (inMatch) {
        steer();
    }
    session->service(session->clock());
    const Phase after = session->phase();
    if (after == Phase::MATCH && (!inMatch || &session->match() != arenaMatch)) {
        startMatch();
    } else if (after != Phase::MATCH && inMatch) {
        endMatch();
    }
    if (after != before && (after == Phase::REFUSED || after == Phase::LOST)) {
        *Util::Debug::instance().err << (after == Phase::REFUSED ? "refused: " : "server lost: ")
                                     << session->reason() << std::endl;
        removeArena();
    }
    fillScreen();
    return "";
}

void OnlineLogic::startMatch()
{
    removeArena();
    inMatch = true;
    ++score.matchesStarted;
    score.result.clear();
    steering.start(options, static_cast<int>(session->myPlayers().size()));
    arenaMatch = &session->match();
    arena = makeArena(session->match(), score, session->myPlayers());
    gameManager->getViewManager()->add(arena);
    if (soundOn) {
        sounds.reset(new MatchSounds(gameManager, session->match(), score, session->myPlayers(),
                                     soundFolder()));
    }
    // Taken out and put back, so that the words stay above the arena.
    gameManager->getViewManager()->remove(words);
    gameManager->getViewManager()->add(words);
}

void OnlineLogic::endMatch()
{
    inMatch = false;
    score.result = session->lastResult();
    if (session->phase() == Phase::OVER && !score.result.empty()) {
        *Util::Debug::instance().out << score.result << std::endl;
    }
}

// A pad's south button (A) says ready as Space does; its east button (B)
// leaves as the leave key does, only when one is set.
void OnlineLogic::usePads()
{
    steering.updatePads();
    const PadControl& pads = steering.getPads();
    const Phase phase = session->phase();
    if (pads.pressed(Devices::Joypad::BUTTON_A) &&
        (phase == Phase::LOBBY || phase == Phase::OVER)) {
        session->setReady(!session->isReady());
    } else if (pads.pressed(Devices::Joypad::BUTTON_B) && options.leaveKey != 0 &&
               (phase == Phase::LOBBY || phase == Phase::OVER || phase == Phase::MATCH)) {
        leave();
    }
}

void OnlineLogic::steer()
{
    for (const OnlineSteering::Turn& turn :
         steering.turns(session->match(), session->myPlayers())) {
        session->steer(turn.seat, turn.heading);
    }
}

void OnlineLogic::fillScreen()
{
    screen.phase = screenPhase(session->phase());
    screen.reason = session->reason();
    screen.ready = session->isReady();
    screen.running = session->matchRunningElsewhere();
    screen.clients.clear();
    for (const Online::ClientSession::Member& member : session->lobby()) {
        screen.clients.push_back(OnlineScreen::Client{member.name, member.pingMs, member.ready});
    }
    if (session->hasMatch()) {
        screen.names = session->names();
        screen.wins.assign(session->wins().begin(), session->wins().end());
        screen.colors = session->match().getSetup().colors;
    }
    screen.result = score.matchesStarted > 0 && !inMatch ? score.result : "";
    screen.mine = session->myPlayers();
    screen.mineOut = inMatch && !screen.mine.empty();
    for (const int player : screen.mine) {
        if (player >= 0 && player < session->match().getPlayerCount() &&
            session->match().getPlayer(player).alive) {
            screen.mineOut = false;
        }
    }
}

void OnlineLogic::handleEvent(EVT::I_Event* event)
{
    const auto* key = dynamic_cast<const EVT::Event_Key*>(event);
    if (key == nullptr || !key->pressed || !session) {
        return;
    }
    const Phase phase = session->phase();
    const bool joined = phase == Phase::LOBBY || phase == Phase::OVER || phase == Phase::MATCH;
    if (key->key == KEY_ESCAPE && phase != Phase::MATCH) {
        quit();
    } else if (options.leaveKey != 0 && key->key == options.leaveKey &&
               (joined || phase == Phase::CONNECTING)) {
        leave();
    } else if (key->key == KEY_SPACE && (phase == Phase::LOBBY || phase == Phase::OVER)) {
        session->setReady(!session->isReady());
    } else if (key->key == KEY_SPACE && phase == Phase::LOST) {
        rejoin();
    } else if (phase == Phase::MATCH) {
        steering.press(key->key);
    }
}

void OnlineLogic::leave()
{
    const Phase phase = session->phase();
    if (phase != Phase::LEFT && phase != Phase::LOST && phase != Phase::REFUSED) {
        session->leave();
    }
    if (inMatch) {
        inMatch = false;
    }
    // A left match leaves no arena behind the words.
    removeArena();
    fillScreen();
}

void OnlineLogic::rejoin()
{
    // The token of the last join takes the seats back at the next match,
    // when the server still knows it.
    client.token = session->token();
    join();
    fillScreen();
}

void OnlineLogic::join()
{
    session.reset(transportMaker() ? new Online::ClientSession(client, transportMaker()())
                                   : new Online::ClientSession(client));
}

void OnlineLogic::quit()
{
    leave();
    // Delivered at once: the window application ends its loop at the end of
    // this frame.
    EVT::EventBus::instance().raiseEvent(EVT::QUIT, false);
}

} // namespace Tool
