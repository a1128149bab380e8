#pragma once

#include <string>

namespace reef {

// Shows a message to the user: a message box with an OK button once the windowing layer has
// installed its handler, a line on standard error before that (and in tools and tests).
using MessageHandler = void (*)(const std::string& text, const std::string& caption);

void SetMessageHandler(MessageHandler handler);
void ShowMessage(const std::string& text, const std::string& caption);

// The caption of the program's own message boxes.
inline constexpr const char* kAppTitle = "GlassReefScr";

}  // namespace reef
