#include "MainLogic.h"

#include <ostream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "MainView.h"
#include "Util/Debug.h"
#include "app/input/MatchSettings.h"
#include "app/sound/MatchSounds.h"
#include "app/sound/SoundChoice.h"
#include "app/views/TextView.h"

namespace Tool {

namespace {

// Skips the rest of a fast-forwarded match.
constexpr unsigned char SKIP_KEY = 32;

float moveTime()
{
    // Read after every step: the key text is made and the
    // process-wide parser found once.
    static const std::string KEY = "MOVE_TIME";
    static const CFG::InfoParser* const PARSER = CFG::parser();
    return PARSER->getNumber<float>(KEY);
}

// The settings check said at start-up what the game limits or leaves out.
std::ostream& quiet()
{
    static std::ostream nothing(nullptr);
    return nothing;
}

} // namespace

MainLogic::MainLogic(Game::GameManager* gameManager)
    : gameManager(gameManager), view(nullptr), replay(MatchSettings::replay()),
      match(replay ? replay->header.setup : MatchSettings::shape()), stepTimer(0), seeded(false),
      turnChanceRead(false), turnChance(0), options(), people(), score(), textView(nullptr),
      listening(false), recorder(replay ? std::string() : MatchSettings::recordFolder(quiet()),
                                 *Util::Debug::instance().err),
      playback(replay ? new ReplayPlayback(*replay) : nullptr)
{
    score.wins.assign(static_cast<std::size_t>(match.getPlayerCount()), 0);
    // A replay may have to say that it no longer matches, words on or not.
    const bool words = CFG::parser()->getBool("SHOW_TEXT");
    if (words || replay) {
        textView = new TextView(gameManager, match, score, words);
        gameManager->getViewManager()->add(textView);
    }
    if (CFG::parser()->getBool("SOUND")) {
        sounds.reset(new MatchSounds(gameManager, match, score, seats, soundFolder()));
    }
}

MainLogic::~MainLogic()
{
    doExit("");
}

void MainLogic::setPause(bool pause)
{
    if (options.pauseKey != 0) {
        score.paused = pause;
    }
}

void MainLogic::handleEvent(EVT::I_Event* event)
{
    const auto* key = dynamic_cast<const EVT::Event_Key*>(event);
    if (key == nullptr || !key->pressed || !inMatch()) {
        return;
    }
    if (key->key == SKIP_KEY && fastForwarding()) {
        score.pace.skip();
    } else if (options.leaveKey != 0 && key->key == options.leaveKey) {
        leave();
    } else if (options.pauseKey != 0 && key->key == options.pauseKey) {
        setPause(!score.paused);
    } else if ((options.turnBuffer || score.pace.countdownLeft() > 0) && !score.paused) {
        // Presses made during the countdown are kept for the first step.
        people.press(key->key);
    }
}

void MainLogic::leave()
{
    recorder.end(match, true);
    score.result = "LEAVE";
    // The arena's blink goes on behind the title screen.
    score.paused = false;
}

// A pad's east button (B) leaves and its Start button pauses, as the leave and pause keys do
// and only when they are set; its pushes are turn-buffer presses.
void MainLogic::usePads()
{
    people.updatePads(options.turnBuffer && !score.paused);
    const PadControl& pads = people.getPads();
    if (options.leaveKey != 0 && pads.pressed(Devices::Joypad::BUTTON_B)) {
        leave();
    } else if (options.pauseKey != 0 && pads.pressed(Devices::Joypad::START)) {
        setPause(!score.paused);
    }
}

void MainLogic::startOptions()
{
    options = MatchOptions::read(match.getPlayerCount(), quiet());
    seats.clear();
    for (int seat = 0; seat < options.humans; ++seat) {
        seats.push_back(seat);
    }
    score.paused = false;
    people.start(options);
    if (options.needsPresses() && !listening) {
        EVT::EventBus::instance().addConsumer(EVT::KEY, this);
        listening = true;
    }
}

MatchSetup MainLogic::nextSetup()
{
    MatchSetup setup = match.getSetup();
    setup.humans = options.humans;
    // The turn buffer never lets a press end a person's match by turning
    // them into their own trail; held keys play the classic rule.
    setup.reversals =
        options.turnBuffer ? ReversalPolicy::DROPPED_WHEN_BLOCKED : ReversalPolicy::APPLIED;
    setup.colors = options.colors;
    setup.levels = MatchSettings::levels(setup.playerCount, options.humans);
    if (!turnChanceRead) {
        turnChance = CFG::parser()->getNumber<int>("TURN_CHANCE");
        turnChanceRead = true;
    }
    setup.turnChance = turnChance;
    if (!seeded) {
        match.reseed(CFG::parser()->getNumber<unsigned int>("GAME_SEED"));
        seeded = true;
    }
    // The generators go on from where the last match left them.
    setup.startRandom = match.getStartRandom();
    setup.decisionRandom = match.getDecisionRandom();
    return setup;
}

void MainLogic::onEnter(const std::string&, const std::string&)
{
    ++score.matchesStarted;
    startOptions();
    if (playback) {
        playback->start(match);
    } else {
        match.start(nextSetup());
    }
    recorder.begin(match, static_cast<unsigned long>(score.matchesStarted));
    stepTimer = moveTime();
    score.pace.start(options);
    const bool words = textView != nullptr && textView->showsWords();
    if (view == nullptr) {
        view = new MainView(gameManager, this);
        if (words) {
            view->setBand(match.getPlayerCount());
        }
        gameManager->getViewManager()->add(view);
        if (textView != nullptr) {
            // Taken out and put back, so that the words stay above the arena.
            gameManager->getViewManager()->remove(textView);
            gameManager->getViewManager()->add(textView);
        }
    }
    if (words) {
        view->markSeats(textView->ownSeats());
    }
    score.result.clear();
    score.notice.clear();
}

void MainLogic::doExit(const std::string&)
{
    // Quitting in a match leaves it; one that never stepped (the
    // simulator's last start) is no match to keep.
    if (match.getStepCount() > 0) {
        recorder.end(match, true);
    }
    if (view != nullptr) {
        gameManager->getViewManager()->remove(view);
        delete view;
        view = nullptr;
    }
    if (textView != nullptr) {
        gameManager->getViewManager()->remove(textView);
        delete textView;
        textView = nullptr;
    }
    EVT::EventBus::instance().removeConsumer(this);
    listening = false;
}

std::string MainLogic::onUpdate(float elapsed)
{
    if (people.getPads().any() && inMatch()) {
        usePads();
    }
    // A finished match stays as it ended until the next one starts.
    if (!score.result.empty() || score.paused || score.pace.countingDown(elapsed)) {
        return score.result;
    }
    if (fastForwarding()) {
        playFast(elapsed);
        return score.result;
    }
    stepTimer -= elapsed;
    if (stepTimer >= 0) {
        return score.result;
    }
    // The overshoot is dropped on purpose: a long frame plays one step, not
    // a burst of catch-up steps the player could not react to.
    stepTimer = moveTime();
    step();
    return score.result;
}

bool MainLogic::fastForwarding() const
{
    if (!options.fastForward || options.humans == 0 || !inMatch()) {
        return false;
    }
    for (int seat = 0; seat < options.humans; ++seat) {
        if (match.getPlayer(seat).alive) {
            return false;
        }
    }
    return true;
}

void MainLogic::playFast(float elapsed)
{
    // Every step of a match fills a free cell or puts a player out, so a
    // skip ends within as many steps as the grid has cells.
    const std::size_t cells = static_cast<std::size_t>(match.getGridWidth()) *
                              static_cast<std::size_t>(match.getGridHeight());
    const int steps = score.pace.fastSteps(elapsed, moveTime(), stepTimer, cells);
    for (int i = 0; i < steps && score.result.empty(); ++i) {
        step();
    }
}

void MainLogic::step()
{
    const bool played = playStep();
    if (playback && playback->diverged()) {
        stopReplay();
        return;
    }
    if (!played) {
        // A replay that ends without a result was left when recorded.
        score.result = "LEAVE";
        return;
    }
    recorder.afterStep(match);
    if (match.isOver()) {
        recorder.end(match, false);
        finish();
    }
}

bool MainLogic::playStep()
{
    if (playback) {
        return playback->step(match);
    }
    const MatchInputs& inputs = people.inputs(match);
    recorder.beforeStep(match, inputs);
    match.step(inputs);
    return true;
}

// The match stops where the recording's check failed, and says so on the
// screen and on the error stream; it is no result.
void MainLogic::stopReplay()
{
    score.notice = "THIS REPLAY NO LONGER MATCHES: CHECK AT STEP " +
                   std::to_string(playback->failedCheck()) + " FAILED";
    *Util::Debug::instance().err << score.notice << std::endl;
    score.result = MISMATCH;
}

void MainLogic::finish()
{
    score.result = match.result();
    if (match.getOutcome() >= 0) {
        ++score.wins[static_cast<std::size_t>(match.getOutcome())];
    }
    *Util::Debug::instance().out << score.result << std::endl;
}

void MainLogic::reseed(unsigned int seed)
{
    match.reseed(seed);
    seeded = true;
}

} // namespace Tool
