#pragma once

namespace Sound {
class I_SoundController;
}

namespace Game {

class GameManager;
class LogicController;

// A value a start-up setting takes when the settings leave it out.
struct SettingDefault {
    const char* key;
    const char* value;
};

// What makes a game out of the framework's start-up routine: its window
// title, its settings file, the render abilities it cannot run without (a
// comma-separated list of ability names, may be empty), the logic states
// it registers, the first of which runs first, and, optionally, defaults
// for settings that every settings file and the command line leave empty
// (a list closed by an entry with a null key; null: none), so that a
// missing "GAME_SPEED" need not stop the game's clock. A game that makes
// sounds also supplies its sound controller's maker, called once the
// settings are loaded; without one, or when it returns null, the game gets
// the sound controller that does nothing. A game may name the settings whose
// values are paths (a list closed by a null pointer; see
// CFG::SettingsLoader), and check its settings once they are loaded, before
// anything is built: the check prints what it has to say and returns
// CFG::SettingsLoader::GO_ON, or the exit code the program ends with.
struct GameDefinition {
    const char* title;
    const char* settingsFile;
    const char* requiredAbilities;
    void (*registerStates)(LogicController& logic, GameManager* manager);
    Sound::I_SoundController* (*makeSoundController)() = nullptr;
    const SettingDefault* defaults = nullptr;
    const char* const* pathSettings = nullptr;
    int (*checkSettings)() = nullptr;
};

// Supplied by the game: its definition. The start-up routine's main() runs
// this game.
const GameDefinition& gameDefinition();

} // namespace Game
