// The game's hook, which sees the window's messages before they become events.
#pragma once

#include <cstdint>

// Windows message numbers the hook sees.
constexpr std::uint32_t MsgClose = 0x10;
constexpr std::uint32_t MsgKeyDown = 0x100;
constexpr std::uint32_t MsgCommand = 0x111;
constexpr std::uint32_t MsgTimer = 0x113;
constexpr std::uint32_t MsgLeftButtonDown = 0x201;

// HookDefault when there is no hook.
std::uint32_t CallHook(std::uint32_t message, std::intptr_t first, std::intptr_t second);

// Scopes in which window messages are handled: the hook may run, and in requesters and
// drags timer ticks are dropped.
struct MessageScope {
    explicit MessageScope(bool dropTicks = false);
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

  private:
    bool dropTicks_;
};
