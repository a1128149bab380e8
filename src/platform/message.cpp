#include "platform/message.h"

#include <cstdio>

namespace reef {
namespace {

void PrintMessage(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

MessageHandler g_messageHandler = PrintMessage;

}  // namespace

void SetMessageHandler(MessageHandler handler) {
    g_messageHandler = handler ? handler : PrintMessage;
}

void ShowMessage(const std::string& text, const std::string& caption) {
    g_messageHandler(text, caption);
}

}  // namespace reef
