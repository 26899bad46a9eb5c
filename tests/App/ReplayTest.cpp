// Recorded matches: the format round trip, a reader that refuses every
// damaged file with a reason, playback that finds the first step that
// differs, and RECORD_DIR in the simulator (the game's own logic state).
#include <gtest/gtest.h>
#include <unistd.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/GuardedMain.h"
#include "Devices/Devices.h"
#include "Perf/HeadlessMatch.h"
#include "Support/TempDir.h"
#include "Support/WorkingDirectory.h"
#include "Util/Debug.h"
#include "app/match/Match.h"
#include "app/replay/MatchHeader.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"
#include "app/tools/MatchSimulator.h"
#include "app/tools/ReplayCheck.h"
#include "app/views/TextView.h"

namespace {

using Tool::Match;
using Tool::MatchInputs;
using Tool::MatchSetup;
using Tool::Replay;
using Tool::ReplayPlayback;

MatchSetup partySetup()
{
    MatchSetup setup;
    setup.gridWidth = 40;
    setup.gridHeight = 30;
    setup.playerCount = 4;
    setup.humans = 2;
    setup.turnChance = 7;
    setup.levels = {0, 0, 2, 1};
    setup.colors = {Util::RGBA(255, 0, 0, 255), Util::RGBA(0, 255, 0, 255),
                    Util::RGBA(0, 0, 255, 255), Util::RGBA(9, 8, 7, 6)};
    setup.startRandom = 77;
    setup.decisionRandom = 4000000000u;
    return setup;
}

// A match with two people turning now and then, recorded as the game does.
Replay record(const MatchSetup& setup)
{
    Match match(setup);
    match.start(setup);
    Replay replay;
    replay.header.setup = setup;
    replay.header.matchNumber = 3;
    while (!match.isOver()) {
        MatchInputs inputs;
        const unsigned long next = match.getStepCount() + 1;
        if (next % 5 == 0) {
            inputs.heading[0] = static_cast<int>(next / 5 % 4);
        }
        if (next % 9 == 0) {
            inputs.heading[1] = static_cast<int>(next / 9 % 4);
        }
        replay.noteInputs(match, inputs);
        match.step(inputs);
        replay.noteStep(match);
    }
    replay.noteEnd(match, false);
    return replay;
}

TEST(ReplayTest, ARecordedMatchDecodesAndPlaysBackWithEveryChecksumHolding)
{
    const Replay recorded = record(partySetup());
    ASSERT_FALSE(recorded.turns.empty());
    const std::string bytes = recorded.encode();
    EXPECT_LT(bytes.size(), 2048u) << "a 4-player match";

    Replay read;
    std::string error;
    ASSERT_TRUE(Replay::decode(bytes, read, error)) << error;
    EXPECT_EQ(3u, read.header.matchNumber);
    EXPECT_EQ(recorded.turns.size(), read.turns.size());
    EXPECT_EQ(recorded.checks.size(), read.checks.size());
    EXPECT_EQ(recorded.outcome, read.outcome);
    EXPECT_EQ(4000000000u, read.header.setup.decisionRandom);
    EXPECT_EQ(6, read.header.setup.colors[3].a);
    EXPECT_EQ(bytes, read.encode()) << "nothing lost on the way";

    Match match(read.header.setup);
    ReplayPlayback playback(read);
    EXPECT_TRUE(playback.playAll(match));
    EXPECT_EQ(recorded.checks.back().checksum, match.checksum());
}

TEST(ReplayTest, PlaybackNamesTheFirstStepThatDiffers)
{
    const Replay recorded = record(partySetup());
    ASSERT_GE(recorded.checks.size(), 2u);

    Replay wrongSum = recorded;
    wrongSum.checks.back().checksum ^= 1;
    Replay wrongTurn = recorded;
    wrongTurn.turns.front().heading = (wrongTurn.turns.front().heading + 1) % 4;
    Replay wrongEnd = recorded;
    wrongEnd.outcome = recorded.outcome == 0 ? 1 : 0;

    struct Case {
        const char* what;
        const Replay& replay;
        unsigned long firstBad;
    };
    const Case cases[] = {
        {"the final checksum", wrongSum, recorded.checks.back().step},
        {"a turn that was not taken", wrongTurn, recorded.checks.front().step},
        {"another winner", wrongEnd, recorded.checks.back().step + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Match match(c.replay.header.setup);
        ReplayPlayback playback(c.replay);
        EXPECT_FALSE(playback.playAll(match));
        // A turn shows at the first check after it, not before.
        EXPECT_LE(playback.firstMismatch(), c.firstBad);
        EXPECT_GE(playback.firstMismatch(), c.what[0] == 'a' ? recorded.turns.front().step : 1);
    }
}

TEST(ReplayTest, DamagedFilesAreRefusedWithAReason)
{
    const std::string good = record(partySetup()).encode();
    Replay badSeat = record(partySetup());
    badSeat.turns.front().seat = 3;
    Replay noEnd = record(partySetup());
    std::string cut = noEnd.encode();
    // Without its end record, with a CRC that fits.
    Replay empty = noEnd;
    empty.checks.clear();

    struct Case {
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"", "not a replay file"},
        {"GRID_WIDTH == 80\nNUM_PLAYERS == 4\n", "not a replay file"},
        {good.substr(0, good.size() / 2), "CRC"},
        {good.substr(0, good.size() - 1), "CRC"},
        {good.substr(0, 20) + "5" + good.substr(21), "CRC"},
        {empty.encode(), "truncated (no end record)"},
        {badSeat.encode(), "no person steers"},
        {good + std::string(Replay::MAX_BYTES, 'x'), "larger than"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Replay replay;
        replay.outcome = 42;
        std::string error;
        EXPECT_FALSE(Replay::decode(c.bytes, replay, error));
        EXPECT_NE(std::string::npos, error.find(c.reason)) << error;
        EXPECT_EQ(42, replay.outcome) << "a refused file changes nothing";
    }
}

TEST(ReplayTest, HeadersOutsideTheRulesAreRefusedWithAReason)
{
    Tool::MatchHeader header;
    header.setup = partySetup();
    header.matchNumber = 3;
    const std::string good = header.encode();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {good.substr(0, good.size() - 1), "no match header"},
        {replaced("VEKTRA-MATCH 1", "VEKTRA-MATCH 9"), "format 9 is not 1"},
        {replaced("VEKTRA-MATCH 1", "TRON 1"), "not a Vektra match"},
        {replaced("GRID_WIDTH==40", "GRID_WIDTH==4000"), "GRID_WIDTH"},
        {replaced("GRID_WIDTH==40", "GRID_WIDTH==-1"), "GRID_WIDTH"},
        {replaced("GRID_WIDTH==40", "GRID_WIDTH==3"), "grid width 3 is outside 4 to 1024"},
        {replaced("TURN_CHANCE==7", "TURN_CHANCE==seven"), "TURN_CHANCE"},
        {replaced("START_RANDOM==77", "START_RANDOM==0x4D"), "START_RANDOM"},
        {replaced("START_RANDOM==77", "START_RANDOM==+77"), "START_RANDOM"},
        {replaced("0xFF0000FF,", "255,"), "PLAYER_COLORS"},
        {replaced("NUM_PLAYERS==4", "NUM_PLAYERS==5"), "AI_LEVEL_P5"},
        {replaced("HUMAN_PLAYERS==2", "HUMAN_PLAYERS==5"), "HUMAN_PLAYERS"},
        {replaced("MATCH==3", "MATCH==3\nSPEED==9"), "unknown header key SPEED"},
        {replaced("MATCH==3", "MATCH==3\nMATCH==4"), "repeated"},
        {replaced("AI_LEVEL_P3==2", "AI_LEVEL_P3==7"), "AI_LEVEL_P3"},
        {replaced("0xFF0000FF,", "0xFF0000FF,,"), "PLAYER_COLORS"},
        {replaced("MATCH==3", "MATCH==" + std::string(Tool::MatchHeader::MAX_BYTES, '3')),
         "no match header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Tool::MatchHeader read;
        std::size_t used = 0;
        std::string error;
        EXPECT_FALSE(Tool::MatchHeader::decode(c.text, read, used, error));
        EXPECT_NE(std::string::npos, error.find(c.reason)) << error;
    }
    Tool::MatchHeader read;
    std::size_t used = 0;
    std::string error;
    ASSERT_TRUE(Tool::MatchHeader::decode(replaced("TURN_CHANCE==7", "TURN_CHANCE==-20"), read,
                                          used, error))
        << error;
    EXPECT_EQ(-20, read.setup.turnChance) << "any whole number plays";
    // Digits are decimal: a leading 0 is no octal.
    ASSERT_TRUE(Tool::MatchHeader::decode(replaced("START_RANDOM==77", "START_RANDOM==010"), read,
                                          used, error))
        << error;
    EXPECT_EQ(10u, read.setup.startRandom);
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.push_back(folder + "/" + entry->d_name);
            }
        }
        closedir(dir);
    }
    return names;
}

class RecordDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(inDir.entered());
        dir.write("vektra.cfg", "GRID_WIDTH == 30\nGRID_HEIGHT == 20\nNUM_PLAYERS == 4\n"
                                "MOVE_TIME == 60\nTURN_CHANCE == 10\nGAME_SEED == 99\n"
                                "AI_LEVEL == 0\nAI_LEVEL_P3 == 2\nAI_LEVEL_P4 == 3\n");
    }

    void TearDown() override { CFG::getDefaultOverrides()->reset(); }

    // Plays the matches in the simulator; returns what went to errors.
    static std::string simulate(unsigned long matches, const std::string& recordDir,
                                int exitCode = 0)
    {
        CFG::getDefaultOverrides()->reset();
        Util::Debug& debug = Util::Debug::instance();
        std::ostringstream errors;
        std::ostream* const savedErr = debug.err;
        debug.err = &errors;
        unsigned long played = 0;
        Tool::MatchSimulator simulator(matches, 0, [&](const auto&, const auto&) { ++played; });
        const int code =
            CFG::guardedMain([&] { return simulator.run({"RECORD_DIR==" + recordDir}); });
        debug.err = savedErr;
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
        EXPECT_EQ(exitCode, code);
        EXPECT_EQ(exitCode == 0 ? matches : 0, played);
        return errors.str();
    }

    TestSupport::TempDir dir;
    TestSupport::WorkingDirectory inDir{dir.dir()};
};

TEST_F(RecordDirTest, EveryMatchIsRecordedInOrderAndPlaysBackTheSame)
{
    EXPECT_EQ("", simulate(12, dir.path("")));
    std::vector<std::string> files = filesIn(dir.dir());
    files.erase(std::remove(files.begin(), files.end(), dir.path("vektra.cfg")), files.end());
    ASSERT_EQ(12u, files.size());
    std::sort(files.begin(), files.end());
    EXPECT_NE(std::string::npos, files.front().find("-000001.vkr"));
    EXPECT_NE(std::string::npos, files.back().find("-000012.vkr"));

    std::vector<std::string> args{"--replay"};
    args.insert(args.end(), files.begin(), files.end());
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(0, Tool::ReplayCheck::run(args, out, errors)) << errors.str();
    EXPECT_NE(std::string::npos, out.str().find("match 12,"));

    // A file whose match no longer plays the same, then a damaged one and
    // a missing one among the good ones: the worst verdict wins.
    Replay differs = record(partySetup());
    differs.checks.back().checksum ^= 4;
    args.push_back(dir.write("differs.vkr", differs.encode()));
    std::ostringstream ignored;
    std::ostringstream difference;
    EXPECT_EQ(1, Tool::ReplayCheck::run(args, ignored, difference));
    EXPECT_NE(std::string::npos, difference.str().find("differs.vkr: the match differs from step " +
                                                       std::to_string(differs.checks.back().step)))
        << difference.str();

    dir.write("damaged.vkr", "VEKTRA-MATCH 1\n");
    args.push_back(dir.path("damaged.vkr"));
    args.push_back(dir.path("missing.vkr"));
    std::ostringstream none;
    std::ostringstream reasons;
    EXPECT_EQ(2, Tool::ReplayCheck::run(args, none, reasons));
    EXPECT_NE(std::string::npos, reasons.str().find("damaged.vkr: replay is damaged"))
        << reasons.str();
    EXPECT_NE(std::string::npos, reasons.str().find("missing.vkr:")) << reasons.str();
}

// The simulator plays to record: a folder it cannot write in stops it
// before the first match, with one line.
TEST_F(RecordDirTest, AFolderThatCannotBeWrittenStopsTheSimulator)
{
    const std::string notAFolder = dir.write("plain-file", "x");
    EXPECT_EQ("RECORD_DIR: cannot write to " + notAFolder + "/inside (Not a directory)\n",
              simulate(5, notAFolder + "/inside", 2));
    EXPECT_EQ("RECORD_DIR: cannot write to " + notAFolder + " (not a folder)\n",
              simulate(5, notAFolder, 2));
}

} // namespace

namespace {

TEST(ReplayInGameTest, TheGamePlaysTheRecordedMatchInsteadOfItsSettings)
{
    TestSupport::TempDir files;
    const Replay recorded = record(partySetup());
    const std::string path = files.write("party.vkr", recorded.encode());
    // Held keys would steer player 0 if the people still played.
    const std::string records = files.path("records");
    ASSERT_EQ(0, ::mkdir(records.c_str(), 0700));
    HeadlessMatch game(1.0 / 60.0,
                       "MOVE_TIME == 0\nREPLAY == " + path + "\nRECORD_DIR == " + records + "\n",
                       {Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::SPACE),
                        Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::UP)},
                       static_cast<int>(recorded.checks.back().step) * 3);
    game.run();
    EXPECT_EQ(40, game.match->getGridWidth()) << "the replay's grid, not the settings' 20";
    const std::string printed = game.global.printed();
    const std::string expected = "WIN=" + std::to_string(recorded.outcome) + "\n";
    ASSERT_GE(printed.size(), expected.size());
    EXPECT_EQ(expected, printed.substr(0, expected.size())) << printed;
    // Every time round the same match.
    std::size_t lines = 0;
    for (std::size_t at = 0; at < printed.size(); at += expected.size(), ++lines) {
        EXPECT_EQ(expected, printed.substr(at, expected.size()));
    }
    EXPECT_GE(lines, 2u);
    EXPECT_TRUE(filesIn(records).empty()) << "a replay is not recorded again";
}

} // namespace

namespace {

// A replay in the window: a faithful one ends on its recorded result,
// printed and shown as a live match's; one whose recorded check fails stops
// at that step and says so on the screen and on the error stream.
TEST(ReplayInGameTest, AReplayEndsOnItsResultOrSaysWhereItNoLongerMatches)
{
    const Replay faithful = record(partySetup());
    Replay changed = faithful;
    changed.checks.front().checksum ^= 1;
    const std::string failed = std::to_string(changed.checks.front().step);
    const std::string winner = std::to_string(faithful.outcome);
    ASSERT_EQ(2, faithful.outcome);
    struct Row {
        const Replay& replay;
        unsigned long stoppedAt;
        std::string printed;
        std::string errors;
        std::vector<std::string> shown;
    };
    const Row rows[] = {
        {faithful,
         faithful.checks.back().step,
         "WIN=" + winner + "\n",
         "",
         // Player 3, a computer player in blue, beat the two people.
         {"YOU LOSE \xC2\xB7 BLUE WINS"}},
        {changed,
         changed.checks.front().step,
         "",
         "THIS REPLAY NO LONGER MATCHES: CHECK AT STEP " + failed + " FAILED\n",
         {"THIS REPLAY NO LONGER MATCHES", "CHECK AT STEP " + failed + " FAILED"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.printed + row.errors);
        TestSupport::TempDir files;
        const std::string path = files.write("match.vkr", row.replay.encode());
        HeadlessMatch game(1.0 / 60.0, "MOVE_TIME == 0\nSHOW_TEXT == YES\nREPLAY == " + path + "\n",
                           {Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::SPACE),
                            Game::HeadlessApp::Input::keyUp(5, HeadlessMatch::SPACE)},
                           static_cast<int>(faithful.checks.back().step) + 60);
        game.run();
        EXPECT_EQ(row.stoppedAt, game.match->getStepCount());
        EXPECT_EQ(row.printed, game.global.printed());
        EXPECT_EQ(row.errors, game.global.errors());
        std::vector<std::string> texts;
        for (const auto& line : game.match->getTextView()->layout().texts) {
            texts.push_back(line.text);
        }
        for (const std::string& text : row.shown) {
            EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), text)) << text;
        }
    }
}

} // namespace
