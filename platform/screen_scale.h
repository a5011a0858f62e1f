// The window's scale on the screen, kept to a whole number.
#pragma once

#include <string>
#include <string_view>

// The whole-number scale for a device pixel ratio: its floor, and never below 1.
int WholeScale(double ratio);
// A scale variable of Qt's ("2.5", or "name=1.25;name=2;") with each number made whole.
std::string WholeScaleFactors(std::string_view factors);
// Before the Qt application is made: Qt shall scale the window by a whole number only.
void ChooseWholeScaling();
