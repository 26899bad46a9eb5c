#pragma once

#include <memory>
#include <vector>

#include "Game/I_View.h"
#include "app/views/ArenaQuads.h"

namespace Game {
class GameManager;
}

namespace Render {
class I_ClientArrayDraw;
class I_RenderController;
} // namespace Render

namespace Tool {

class ArenaTexture;
class MainLogic;
class Match;
struct Scoreboard;

// The arena view: draws every blocked cell of the match's grid as a white
// square on black, row 0 at the top, and every other "FLASH_TIME" interval a
// black square on each player's cell so the heads of the trails blink. Owns
// its vertex buffer, sized once for one quad per grid cell and reused for
// the player markers; the game manager, its render controller and the match
// are not owned. When players have colours, each trail is drawn in its
// owner's colour and the walls stay white. With "ARENA_DRAWING" ==
// "TEXTURE" and no colours it draws the grid as one picture instead
// (ArenaTexture, owned), where the controller offers one. Optional, each
// off without its setting: square cells centred in the window
// ("KEEP_ASPECT", quads only), a ring in each player's colour around its
// head while a countdown runs ("COUNTDOWN"); after a match left with the
// leave key it draws nothing, so the title shows on its clear colour. With
// words on screen the arena leaves the words' band above it free
// (setBand), and the heads of the seats steered at this window carry a
// frame for the whole match (markSeats).
class MainView : public Game::I_View {
public:
    // Floats per quad: four vertices of x, y, z.
    static constexpr int FLOATS_PER_QUAD = ArenaQuads::FLOATS_PER_QUAD;

    MainView(Game::GameManager* gameManager, MainLogic* logic);
    // Draws any match beside its scoreboard, such as an online client's
    // predicted copy; both outlive the view.
    MainView(Game::GameManager* gameManager, const Match& match, const Scoreboard& score);
    ~MainView() override;
    MainView(const MainView&) = delete;
    MainView& operator=(const MainView&) = delete;

    void setPause(bool paused) override;
    void setScreenSize(int width, int height) override;
    void preUpdate(float delta) override;
    // Blink timing: the markers toggle whenever the timer falls below 0.
    void onUpdate(float elapsed) override;
    void onRender() override;
    EVT::I_Event* onInput(EVT::I_Event* event) override;
    Game::ViewBox getViewBox() const override;

    // The drawing's geometry, kept apart from the OpenGL calls: each fills
    // the buffer from its start and returns the number of quads written.
    int fillTrailQuads();
    int fillPlayerQuads();
    // The blocked cells grouped by owner: walls first, then each player's
    // trail; groupStart[o] is the first quad of owner o (0 the walls, k + 1
    // player k) and groupStart[o + 1] the end. Needs the match's owners.
    int fillOwnedQuads();
    // A ring of cells two cells around each player's head, written from
    // position 0 in player order; returns the quads per player (0 when
    // the buffer cannot hold them all).
    int fillStartRings();
    const float* getVertices() const { return vertices.data(); }
    // The words' band above the arena, for labels names (none: 0, the
    // arena fills the window); set before the view is added.
    void setBand(int labels);
    int getBandHeight() const { return bandHeight; }
    // The players whose heads carry a frame: the seats people at this
    // window steer.
    void markSeats(const std::vector<int>& seats) { markedSeats = seats; }
    // Writes the frames of the marked seats' heads from position 0;
    // returns the quads written (none when the buffer cannot hold them).
    int fillSeatFrames();

    // Whether the last frame was drawn as one picture.
    bool drewPicture() const { return texture != nullptr; }
    bool isFlashOn() const { return flashOn; }

private:
    void putQuad(int index, int x, int y);
    void drawQuads(int count, int first = 0);
    // The trails (coloured or white), the start rings and the blinking heads.
    void drawCells(bool coloured);
    void drawOwnedTrails();
    void drawStartRings();
    void drawSeatFrames();

    [[maybe_unused]] Game::GameManager* gameManager;
    Render::I_RenderController* renderController;
    // The controller's client-array drawing, found once; null (nothing
    // drawn) on a controller without it.
    Render::I_ClientArrayDraw* clientArrays;
    int screenWidth;
    int screenHeight;
    // The match it draws and the pause, read through the logic state's
    // read interface.
    const Match& match;
    const Scoreboard& score;
    ArenaQuads vertices;
    std::vector<int> groupStart;
    std::vector<int> groupNext;
    // Read once: whether the grid is to be drawn as a picture, and the
    // picture, made at the first frame (null: quads).
    bool keepAspect;
    bool textureWanted;
    bool textureTried;
    std::unique_ptr<ArenaTexture> texture;
    float flashTimer;
    bool flashOn;
    int bandLabels = 0;
    int bandHeight = 0;
    std::vector<int> markedSeats;
};

} // namespace Tool
