// The game core: the pieces and the well, the moves, locking and scoring, the start of a
// game with its count-down, the two modes and the chrono. Plain C++: everything it needs
// of the machine and of the other subsystems reaches it through GameServices.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

constexpr int WellColumns = 10;
constexpr int WellRows = 17;
constexpr int SprintTarget = 500;      // points, GameMode 0
constexpr int EnduranceTarget = 5000;  // points, GameMode 1
constexpr int GravityPeriod = 1000;    // milliseconds between two gravity ticks

// The 16-bit mask of a kind (1..7) in a rotation (1..4): bit 15 − (4·r + c) is the box
// cell of row r and column c.
int PieceMask(int kind, int rotation);

// Calls square(r, c) for every set cell of a mask, box rows 0..3 and within a row box
// columns 0..3: the one order in which every rule and drawing walks a piece.
template <class Square>
void ForEachSquare(int mask, Square square) {
    int bit = 0x8000;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c, bit >>= 1) {
            if (mask & bit) {
                square(r, c);
            }
        }
    }
}

// Settled squares: 0 empty, else the kind of the square that settled there.
class Well {
  public:
    std::int8_t Cell(int column, int row) const { return cells_[row][column]; }
    void SetCell(int column, int row, std::int8_t value) { cells_[row][column] = value; }
    void Clear() { cells_ = {}; }
    bool operator==(const Well&) const = default;

  private:
    std::array<std::array<std::int8_t, WellColumns>, WellRows> cells_{};
};

struct FallingPiece {
    int kind = 0;
    int rotation = 0;
    int column = 0;  // well position of the top-left cell of the piece's box
    int row = 0;
    bool operator==(const FallingPiece&) const = default;
};

// The one generator of the program, for the piece kinds and the artwork's grain.
class Random {
  public:
    void SeedRandom(std::uint32_t ticks) { engine_.seed(ticks); }
    int RandomUpTo(int max);  // uniform over 0..max, both included

  private:
    std::mt19937 engine_;
};

// Everything a game is made of, as one value a test can make, copy and compare.
struct GameState {
    Well well;
    FallingPiece piece;
    int NextKind = 0;
    int Score = 0;
    int GameMode = 0;  // 0 sprint, 1 endurance
    int Playing = 0;
    std::uint32_t ChronoStart = 0;
    std::uint32_t ChronoNow = 0;
    Random random;
};

// What the core asks of the machine and of the other subsystems. The program fills it
// with the real services; tests with a fake clock and recorders.
class GameServices {
  public:
    virtual ~GameServices() = default;
    virtual std::uint32_t TickCount() = 0;
    virtual void Pause(int milliseconds) = 0;
    virtual void PlayNote(int channel, int note, int releaseVelocity, int strikeVelocity) = 0;
    virtual void ShowSprite(int number, int x, int y) = 0;
    virtual void ShowSpriteKeyed(int number, int x, int y) = 0;
    virtual void PresentPlayArea() = 0;
    virtual void DrawWell(const GameState& state) = 0;
    virtual void RedrawPlayArea(const GameState& state) = 0;
    virtual void DrawNextPiece(const GameState& state) = 0;
    virtual void DrawGamePanel(GameState& state) = 0;
    // Ends a game that reached its target: stops the chrono and clears Playing (the game
    // is over from here on, whatever else it does), then files the time in the mode's
    // ranking under a name the player types, if it earns a place, and saves the rankings.
    virtual void RecordFinish(GameState& state) = 0;
    // The commands of the menu buttons reach out through these.
    virtual void ShowRules() = 0;
    virtual void ClearRanking(int gameMode) = 0;  // empties that ranking and saves both
    virtual void DrawRankingPanel(int gameMode) = 0;
    virtual void RepaintWindow() = 0;  // the whole window, at once
};

// The game's sounds: one note on one of three MIDI channels, struck and released at full
// velocity. The program gives each channel its instrument (a General MIDI program) at
// start-up.
struct Note {
    int channel;
    int key;  // MIDI note number
};
constexpr int FullVelocity = 127;
constexpr Note LockNote{0, 64};                      // a piece settles
constexpr Note RowNote{1, 64};                       // a full row vanishes
constexpr Note LostNote{1, 80};                      // the next piece finds no room
constexpr Note CountdownNote{1, 64};                 // each digit of the count-down
constexpr Note FanfareNotes[] = {{2, 64}, {2, 69}};  // the count-down's end
inline void PlaySound(GameServices& services, Note note) {
    services.PlayNote(note.channel, note.key, FullVelocity, FullVelocity);
}

// Sprites the core lays into the play area.
constexpr int BackdropSprite = 14;
constexpr int LostSprite = 18;
constexpr int CountdownSprite = 19;  // 19 + k shows the digit k + 1

bool PieceCollides(const GameState& state, int column, int row);

void ShiftLeft(GameState& state, GameServices& services);
void ShiftRight(GameState& state, GameServices& services);
void Rotate(GameState& state, GameServices& services);
void Drop(GameState& state, GameServices& services);
void GravityStep(GameState& state, GameServices& services);

void LockPiece(GameState& state, GameServices& services);
int TargetOf(int gameMode);  // points
// The kind after the falling one: drawn again until it differs, so never the same twice.
int DrawNextKind(Random& random, int fallingKind);

void StartNewGame(GameState& state, GameServices& services);

// What the player does, as the game sees it: a gravity tick, a key by its key code, a menu
// button by its number, or the window's close request.
constexpr int LeftArrow = 37;  // key codes
constexpr int UpArrow = 38;
constexpr int RightArrow = 39;
constexpr int DownArrow = 40;
enum MenuButton { NewGameButton = 1, RulesButton, ModeButton, ClearButton, QuitButton };
struct Input {
    enum class Kind { Tick, Key, Button, Close };
    Kind kind = Kind::Tick;
    int code = 0;  // the key code, or the button number
};
// Applies one input under the game's rules: ticks and keys act only while a game runs,
// "Mode de jeu" only between games, the rules box only when no game runs. Returns false
// when the player quits.
bool ApplyInput(GameState& state, Input input, GameServices& services);

// The chrono: a reading is taken only while a game runs; its value is the 32-bit
// difference of two tick counts, so a game across the wrap still times right.
void ReadChrono(GameState& state, std::uint32_t now);
std::int32_t ChronoValue(const GameState& state);
// Ends a game that reached its target: the last reading, and no more moves.
std::int32_t StopChrono(GameState& state, std::uint32_t now);
std::string TimeText(std::int32_t ms);  // MM:SS:CC

// Fractions become integers by rounding to the nearest, ties to the even one.
int RoundToNearest(double value);
