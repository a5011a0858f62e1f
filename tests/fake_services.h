// The core's services for tests: a clock that only moves when the game pauses or a
// test advances it, and a log of every note, picture and call, in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/core.h"
#include "tests/well_rows.h"

class FakeServices : public GameServices {
  public:
    explicit FakeServices(std::uint32_t start = 1000) : now(start) {}

    std::uint32_t now;
    std::vector<std::string> log;
    std::int32_t finishedTime = -1;

    std::uint32_t TickCount() override { return now; }
    void Pause(int milliseconds) override {
        log.push_back("pause " + std::to_string(milliseconds));
        now += static_cast<std::uint32_t>(milliseconds);
    }
    void PlayNote(int channel, int note, int release, int strike) override {
        log.push_back("note " + std::to_string(channel) + " " + std::to_string(note) + " " +
                      std::to_string(release) + " " + std::to_string(strike));
    }
    void ShowSprite(int number, int x, int y) override {
        log.push_back("sprite " + std::to_string(number) + " " + std::to_string(x) + " " +
                      std::to_string(y));
    }
    void ShowSpriteKeyed(int number, int x, int y) override {
        log.push_back("keyed " + std::to_string(number) + " " + std::to_string(x) + " " +
                      std::to_string(y));
    }
    void PresentPlayArea() override { log.push_back("present"); }
    void DrawWell(const GameState&) override { log.push_back("well"); }
    void RedrawPlayArea(const GameState&) override { log.push_back("redraw"); }
    void DrawNextPiece(const GameState&) override { log.push_back("next"); }
    void DrawGamePanel(GameState& state) override {
        ReadChrono(state, now);
        log.push_back("panel " + TimeText(ChronoValue(state)) + " " + std::to_string(state.Score));
    }
    void RecordFinish(GameState& state) override {
        finishedTime = StopChrono(state, now);
        log.push_back("finish " + std::to_string(finishedTime));
    }
    void ShowRules() override { log.push_back("rules"); }
    void ClearRanking(int gameMode) override { log.push_back("clear " + std::to_string(gameMode)); }
    void DrawRankingPanel(int gameMode) override {
        log.push_back("ranking panel " + std::to_string(gameMode));
    }
    void RepaintWindow() override { log.push_back("repaint"); }

    // Entries of the log that begin with these whole words, e.g. Count("note 1").
    int Count(const std::string& words) const {
        int count = 0;
        for (const std::string& entry : log) {
            const bool match = entry == words || entry.rfind(words + " ", 0) == 0;
            count += match ? 1 : 0;
        }
        return count;
    }
};
