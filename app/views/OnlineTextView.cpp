#include "OnlineTextView.h"

#include <algorithm>
#include <cctype>

#include "ColorNames.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "PlayerWords.h"
#include "app/input/SeatResult.h"

namespace Tool {

namespace {

using Row = ScreenWords::Row;

const std::string DOT = " \xC2\xB7 ";
const Util::RGBA WHITE(255, 255, 255, 255);
// A reason's lines: characters in one, and most lines shown.
constexpr std::size_t REASON_LINE = 36;
constexpr std::size_t MAX_REASON_LINES = 5;

} // namespace

OnlineTextView::OnlineTextView(Game::GameManager* gameManager, const OnlineScreen& screen)
    : gameManager(gameManager), screen(screen), screenWidth(0), screenHeight(0), lobbyPage(0),
      painter(gameManager->getRenderController()), placed()
{
}

OnlineTextView::~OnlineTextView() {}

void OnlineTextView::setPause(bool) {}

void OnlineTextView::preUpdate(float) {}

void OnlineTextView::onUpdate(float) {}

void OnlineTextView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

Game::ViewBox OnlineTextView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

EVT::I_Event* OnlineTextView::onInput(EVT::I_Event* event)
{
    const auto* key = dynamic_cast<const EVT::Event_Key*>(event);
    if (key != nullptr && key->pressed && screen.phase == OnlineScreen::LOBBY) {
        if (key->key == KEY_UP) {
            lobbyPage = std::max(0, placed.listPage - 1);
        } else if (key->key == KEY_DOWN) {
            lobbyPage = std::min(placed.listPages - 1, placed.listPage + 1);
        }
    }
    return event;
}

Util::RGBA OnlineTextView::colorOf(int player) const
{
    if (player >= 0 && static_cast<std::size_t>(player) < screen.colors.size()) {
        return screen.colors[static_cast<std::size_t>(player)];
    }
    return WHITE;
}

std::string OnlineTextView::nameOf(int player) const
{
    if (player >= 0 && static_cast<std::size_t>(player) < screen.names.size() &&
        !screen.names[static_cast<std::size_t>(player)].empty()) {
        return screen.names[static_cast<std::size_t>(player)];
    }
    return "P" + std::to_string(player + 1);
}

void OnlineTextView::addBand(ScreenWords& out) const
{
    const int players = static_cast<int>(screen.names.size());
    for (int k = 0; k < players; ++k) {
        const int wins =
            static_cast<std::size_t>(k) < screen.wins.size() ? screen.wins[std::size_t(k)] : 0;
        const bool you = screen.mine.size() == 1 && screen.mine.front() == k;
        const std::string score = " " + std::to_string(wins);
        out.band.push_back(
            Row((you ? std::string("YOU") : nameOf(k)) + score, ScreenWords::SMALL, colorOf(k)));
        out.band.back().keptEnd = score.size();
    }
}

void OnlineTextView::addLobby(ScreenWords& out) const
{
    if (screen.result.empty()) {
        out.head.push_back(Row("VEKTRA ONLINE", ScreenWords::TITLE));
    } else {
        // A person by name; a computer player by its colour.
        const int players = static_cast<int>(screen.names.size());
        std::vector<std::string> labels = ColorNames::labels(screen.colors, players);
        for (int k = 0; k < players; ++k) {
            if (!screen.names[static_cast<std::size_t>(k)].empty()) {
                labels[static_cast<std::size_t>(k)] = screen.names[static_cast<std::size_t>(k)];
            }
        }
        out.head.push_back(Row(PlayerWords::result(screen.result, screen.mine, labels),
                               ScreenWords::TITLE, colorOf(SeatResult::winner(screen.result))));
    }
    out.head.push_back(Row(screen.server, ScreenWords::SMALL));
    for (const OnlineScreen::Client& client : screen.clients) {
        // A name too long for its column is cut short, never its state.
        const std::string state =
            "  " + std::to_string(client.pingMs) + " MS" + (client.ready ? "  READY" : "");
        out.list.push_back(Row(client.name + state, ScreenWords::SMALL));
        out.list.back().keptEnd = state.size();
    }
    out.listPage = lobbyPage;
    if (screen.running) {
        out.tail.push_back(Row("A MATCH IS RUNNING", ScreenWords::SMALL));
    }
    const std::string leave =
        screen.leaveName.empty() ? "" : DOT + PlayerWords::keyName(screen.leaveName) + " LEAVE";
    out.tail.push_back(Row(std::string(screen.ready ? "SPACE NOT READY" : "SPACE READY") + leave +
                               DOT + "ESC QUIT",
                           ScreenWords::SMALL));
}

void OnlineTextView::addEnd(ScreenWords& out, const std::string& title) const
{
    out.head.push_back(Row(title, ScreenWords::TITLE));
    // A server's reason may be long: a few short lines stay readable where
    // one line squeezed into the window's width would not.
    for (const std::string& line : wrap(screen.reason)) {
        out.head.push_back(Row(line, ScreenWords::SMALL));
    }
    out.tail.push_back(
        Row(screen.phase == OnlineScreen::LOST ? "SPACE REJOIN" + DOT + "ESC QUIT" : "ESC QUIT",
            ScreenWords::SMALL));
}

std::vector<std::string> OnlineTextView::wrap(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size() && out.size() < MAX_REASON_LINES) {
        std::size_t end = std::min(text.size(), start + REASON_LINE);
        if (end < text.size()) {
            // Broken at the last blank inside the line, when there is one.
            const std::size_t blank = text.rfind(' ', end);
            end = blank != std::string::npos && blank > start ? blank : end;
        }
        out.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(' ', end);
        if (start == std::string::npos) {
            break;
        }
    }
    if (start < text.size() && out.size() == MAX_REASON_LINES) {
        out.back() += "...";
    }
    return out;
}

ScreenWords OnlineTextView::words() const
{
    ScreenWords out;
    const bool lastMatchShown = screen.phase == OnlineScreen::MATCH ||
                                (screen.phase == OnlineScreen::LOBBY && !screen.result.empty());
    if (lastMatchShown) {
        addBand(out);
    }
    switch (screen.phase) {
    case OnlineScreen::CONNECTING:
        out.head.push_back(Row("VEKTRA ONLINE", ScreenWords::TITLE));
        out.head.push_back(Row("JOINING " + screen.server, ScreenWords::LINE));
        out.tail.push_back(Row("ESC QUIT", ScreenWords::SMALL));
        break;
    case OnlineScreen::LOBBY:
        addLobby(out);
        break;
    case OnlineScreen::MATCH:
        if (screen.mineOut) {
            out.head.push_back(Row("YOU ARE OUT", ScreenWords::LINE));
            out.place = ScreenWords::BOTTOM;
        }
        break;
    case OnlineScreen::REFUSED:
        addEnd(out, "REFUSED");
        break;
    case OnlineScreen::LOST:
        addEnd(out, "SERVER LOST");
        break;
    case OnlineScreen::LEFT:
        addEnd(out, "LEFT THE SERVER");
        break;
    }
    return out;
}

const ScreenLayout::Result& OnlineTextView::layout()
{
    placed = ScreenLayout::place(words(), screenWidth, screenHeight, painter.metrics());
    return placed;
}

void OnlineTextView::onRender()
{
    painter.draw(layout(), screenWidth, screenHeight);
}

} // namespace Tool
