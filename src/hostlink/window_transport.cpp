#include "hostlink/window_transport.h"

TWindowTransport::TWindowTransport(const std::string &ClassName, const std::string &Title)
    : window_(ClassName, Title) {
  window_.OnCopyData = [this](TMessageWindowHandle Sender, std::int32_t Code,
                              const std::string &Block) {
    if (OnCopyData) OnCopyData(Sender, Code, Block);
  };
}
