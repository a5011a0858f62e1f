// Qt's keys as the platform's virtual-key codes, which the game's events carry.
#pragma once

int VirtualKeyCode(int qtKey);  // 0 for a key without a code of its own
