#include "app/app.h"
#include "view/view.h"

ProgramServices::ProgramServices(Midi& midi, Rankings& rankings, std::filesystem::path rankingFile)
    : midi_(midi), rankings_(rankings), rankingFile_(std::move(rankingFile)) {}

std::uint32_t ProgramServices::TickCount() {
    return ::TickCount();
}
void ProgramServices::Pause(int milliseconds) {
    ::Pause(milliseconds);
}
void ProgramServices::PlayNote(int channel, int note, int releaseVelocity, int strikeVelocity) {
    ::PlayNote(midi_, channel, note, releaseVelocity, strikeVelocity);
}
void ProgramServices::ShowSprite(int number, int x, int y) {
    ::ShowSprite(number, x, y);
}
void ProgramServices::ShowSpriteKeyed(int number, int x, int y) {
    ::ShowSpriteKeyed(number, x, y);
}
void ProgramServices::PresentPlayArea() {
    ::PresentPlayArea();
}
void ProgramServices::DrawWell(const GameState& state) {
    ::DrawWell(state);
}
void ProgramServices::RedrawPlayArea(const GameState& state) {
    ::RedrawPlayArea(state);
}
void ProgramServices::DrawNextPiece(const GameState& state) {
    ::DrawNextPiece(state);
}
void ProgramServices::DrawGamePanel(GameState& state) {
    ::DrawGamePanel(state);
}
// The name request's closing need not expose the panel (a compositing desktop keeps the
// window's pixels), so the new record is drawn at once.
void ProgramServices::RecordFinish(GameState& state) {
    ::RecordFinish(state, rankings_, ::TickCount(), AskText, rankingFile_);
    ::DrawRankingPanel(rankings_, state.GameMode);
}

Program::Program()
    : midi{.MidiOut = NewSynthesiser(),
           .showProblem = [](std::string_view title,
                             std::string_view text) { ShowMessage(title, text, 0); }},
      rankingFile(RankingFilePath()),
      services(midi, rankings, rankingFile) {}

void Program::DrawRankingPanel() const {
    ::DrawRankingPanel(rankings, state.GameMode);
}

void Program::ClearRanking() {
    ::ClearRanking(rankings, state.GameMode, rankingFile);
}
