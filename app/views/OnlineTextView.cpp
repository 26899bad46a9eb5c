#include "OnlineTextView.h"

#include <algorithm>
#include <cstdlib>

#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "Render/BlockFont.h"

namespace Tool {

namespace {

// Opacity of the words, as in local play: readable, yet a head under a
// letter still shows.
constexpr std::uint8_t LINE_ALPHA = 0xB0;
constexpr std::uint8_t NAME_ALPHA = 0x90;
const Util::RGBA WHITE(255, 255, 255, LINE_ALPHA);
// Font pixels from one small line's top to the next one's.
constexpr float LINE_PITCH = 10;
// A reason's lines: characters in one, and most lines shown.
constexpr std::size_t REASON_LINE = 36;
constexpr std::size_t MAX_REASON_LINES = 5;

} // namespace

OnlineTextView::OnlineTextView(Game::GameManager* gameManager, const OnlineScreen& screen)
    : gameManager(gameManager), screen(screen), screenWidth(0), screenHeight(0),
      lines(gameManager->getRenderController(), CFG::parser()->getBool("TEXT_BACKING"))
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
    lines.setScreenSize(width, height);
}

Game::ViewBox OnlineTextView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

EVT::I_Event* OnlineTextView::onInput(EVT::I_Event* event)
{
    return event;
}

Util::RGBA OnlineTextView::colorOf(int player, std::uint8_t alpha) const
{
    Util::RGBA color(255, 255, 255, alpha);
    if (player >= 0 && static_cast<std::size_t>(player) < screen.colors.size()) {
        color = screen.colors[static_cast<std::size_t>(player)];
        color.a = alpha;
    }
    return color;
}

std::string OnlineTextView::nameOf(int player) const
{
    if (player >= 0 && static_cast<std::size_t>(player) < screen.names.size() &&
        !screen.names[static_cast<std::size_t>(player)].empty()) {
        return screen.names[static_cast<std::size_t>(player)];
    }
    return "P" + std::to_string(player + 1);
}

void OnlineTextView::layoutNames()
{
    const int players = static_cast<int>(screen.names.size());
    if (players == 0) {
        return;
    }
    std::vector<std::string> labels;
    for (int k = 0; k < players; ++k) {
        const int wins =
            static_cast<std::size_t>(k) < screen.wins.size() ? screen.wins[std::size_t(k)] : 0;
        labels.push_back(nameOf(k) + " " + std::to_string(wins));
    }
    const float slot = static_cast<float>(screenWidth) / players;
    // One size for every label, the largest that lets the widest fit.
    float pixelSize = screenHeight * 0.007f;
    for (const std::string& label : labels) {
        pixelSize = std::min(pixelSize, slot * 0.8f / Render::BlockFont::width(label));
    }
    // Below one screen pixel per font pixel the words are unreadable.
    if (pixelSize < 1) {
        return;
    }
    for (int k = 0; k < players; ++k) {
        lines.add(labels[std::size_t(k)], slot * (k + 0.5f), screenHeight - pixelSize, pixelSize,
                  colorOf(k, NAME_ALPHA));
    }
}

void OnlineTextView::layoutResult()
{
    const float unit = screenHeight / 100.0f;
    // Above the lobby's lines, below the names.
    const float top = screenHeight * 0.82f;
    if (screen.result == "DRAW") {
        lines.addCentred("DRAW", top, 2.0f * unit, WHITE);
    } else if (screen.result.rfind("WIN=", 0) == 0) {
        const int winner = std::atoi(screen.result.c_str() + 4);
        lines.addCentred(nameOf(winner) + " WINS", top, 2.0f * unit, colorOf(winner, LINE_ALPHA));
    }
}

void OnlineTextView::layoutLobby()
{
    const float unit = screenHeight / 100.0f;
    if (screen.result.empty()) {
        lines.addCentred("VEKTRA ONLINE", screenHeight * 0.75f, 2.5f * unit, WHITE);
    } else {
        // The last match stays on screen behind the lobby.
        layoutNames();
        layoutResult();
    }
    float top = screenHeight * 0.5f;
    lines.addCentred(screen.server, top, 0.6f * unit, WHITE);
    for (const OnlineScreen::Client& client : screen.clients) {
        top -= LINE_PITCH * 0.6f * unit;
        lines.addCentred(client.name + "  " + std::to_string(client.pingMs) + " MS" +
                             (client.ready ? "  READY" : ""),
                         top, 0.6f * unit, WHITE);
    }
    if (screen.running) {
        top -= LINE_PITCH * 0.6f * unit;
        lines.addCentred("A MATCH IS RUNNING", top, 0.6f * unit, WHITE);
    }
    top -= 2 * LINE_PITCH * 0.6f * unit;
    const std::string leave =
        screen.leaveName.empty() ? "" : " \xC2\xB7 " + screen.leaveName + " LEAVE";
    lines.addCentred(std::string(screen.ready ? "SPACE NOT READY" : "SPACE READY") + leave +
                         " \xC2\xB7 ESC QUIT",
                     std::min(top, screenHeight * 0.2f), 0.8f * unit, WHITE);
}

void OnlineTextView::layoutEnd(const std::string& title)
{
    const float unit = screenHeight / 100.0f;
    lines.addCentred(title, screenHeight * 0.6f, 2.0f * unit, WHITE);
    // A server's reason may be long: a few short lines stay readable where
    // one line squeezed into the window's width would not.
    float top = screenHeight * 0.48f;
    for (const std::string& line : wrap(screen.reason)) {
        lines.addCentred(line, top, 0.6f * unit, WHITE);
        top -= LINE_PITCH * 0.6f * unit;
    }
    lines.addCentred(
        screen.phase == OnlineScreen::LOST ? "SPACE REJOIN \xC2\xB7 ESC QUIT" : "ESC QUIT",
        std::min(top - LINE_PITCH * 0.6f * unit, screenHeight * 0.3f), 0.8f * unit, WHITE);
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

const std::vector<TextLines::Line>& OnlineTextView::layout()
{
    lines.clear();
    const float unit = screenHeight / 100.0f;
    switch (screen.phase) {
    case OnlineScreen::CONNECTING:
        lines.addCentred("VEKTRA ONLINE", screenHeight * 0.75f, 2.5f * unit, WHITE);
        lines.addCentred("JOINING " + screen.server, screenHeight * 0.5f, 0.8f * unit, WHITE);
        lines.addCentred("ESC QUIT", screenHeight * 0.3f, 0.8f * unit, WHITE);
        break;
    case OnlineScreen::LOBBY:
        layoutLobby();
        break;
    case OnlineScreen::MATCH:
        layoutNames();
        break;
    case OnlineScreen::REFUSED:
        layoutEnd("REFUSED");
        break;
    case OnlineScreen::LOST:
        layoutEnd("SERVER LOST");
        break;
    case OnlineScreen::LEFT:
        layoutEnd("LEFT THE SERVER");
        break;
    }
    return lines.getLines();
}

void OnlineTextView::onRender()
{
    layout();
    lines.draw();
}

} // namespace Tool
