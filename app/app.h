// The application shell: start-up, the event loop and shutdown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/core.h"
#include "platform/platform.h"
#include "ranking/ranking_panel.h"
#include "sound/sound.h"

// The core's services as the program fills them: the platform's clock, play area and
// window, the view's drawing, the notes, and the rankings.
class ProgramServices : public GameServices {
  public:
    ProgramServices(Midi& midi, Rankings& rankings, std::filesystem::path rankingFile,
                    const Handle& window);

    std::uint32_t TickCount() override;
    void Pause(int milliseconds) override;
    void PlayNote(int channel, int note, int releaseVelocity, int strikeVelocity) override;
    void ShowSprite(int number, int x, int y) override;
    void ShowSpriteKeyed(int number, int x, int y) override;
    void PresentPlayArea() override;
    void DrawWell(const GameState& state) override;
    void RedrawPlayArea(const GameState& state) override;
    void DrawNextPiece(const GameState& state) override;
    void DrawGamePanel(GameState& state) override;
    void RecordFinish(GameState& state) override;
    void ShowRules() override;
    void ClearRanking(int gameMode) override;
    void DrawRankingPanel(int gameMode) override;
    void RepaintWindow() override;

  private:
    Midi& midi_;
    Rankings& rankings_;
    std::filesystem::path rankingFile_;
    const Handle& window_;
};

// Everything the program holds from start-up to shutdown.
struct Program {
    Program();

    GameState state;
    Rankings rankings;
    Midi midi;
    std::filesystem::path rankingFile;
    Handle window = 0;
    ProgramServices services;
};

// Answers --help and --version, and refuses any other argument; an exit code then, and
// nothing when the game is to run.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);
// Runs the game from start-up to shutdown; returns the process's exit code.
int RunQuickstack();
// Everything before the event loop, with the generator as it stands (the program seeds
// it from the clock first); an exit code when the program must end instead.
std::optional<int> StartUp(Program& program);
// The pictures only a game shows, drawn after the window's first frame, and the heap that
// start-up's drawing left behind given back: what it leaves to be done before the first
// event is handled.
void FinishStartUp();

// Finishes start-up when the first event comes, by which time the window normally stands
// in its first frame, then hands each event to the game until it ends.
void RunEventLoop(Program& program);
std::string RulesText();  // Windows-1252
