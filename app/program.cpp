#include "app/app.h"
#include "view/view.h"

ProgramServices::ProgramServices(Midi& midi, Rankings& rankings, std::filesystem::path rankingFile,
                                 const Handle& window)
    : midi_(midi), rankings_(rankings), rankingFile_(std::move(rankingFile)), window_(window) {}

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
void ProgramServices::ShowRules() {
    ShowMessage(Windows1252("Règle du jeu"), RulesText(), 0);
}
void ProgramServices::ClearRanking(int gameMode) {
    ::ClearRanking(rankings_, gameMode, rankingFile_);
}
void ProgramServices::DrawRankingPanel(int gameMode) {
    ::DrawRankingPanel(rankings_, gameMode);
}
void ProgramServices::RepaintWindow() {
    RepaintNow(window_);
}

Program::Program()
    : midi{.MidiOut = NewSynthesiser(),
           .showProblem = [](std::string_view title,
                             std::string_view text) { ShowMessage(title, text, 0); }},
      rankingFile(RankingFilePath()),
      services(midi, rankings, rankingFile, window) {}
