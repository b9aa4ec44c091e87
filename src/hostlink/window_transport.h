#pragma once
// The host-connection component's real message window: a platform message
// window with the component's class name and title.
#include "hostlink/demon_client.h"
#include "platform/message_window.h"

/// THostTransport over a platform message window.
class TWindowTransport : public THostTransport {
public:
  /// Creates the window; raises EMessageWindowError when it cannot be made.
  TWindowTransport(const std::string &ClassName, const std::string &Title);

  std::uint32_t OwnHandle() const override { return window_.Handle(); }
  std::uint32_t FindWindow(const std::string &ClassName, const std::string &Title) override {
    return FindMessageWindow(ClassName, Title);
  }
  bool IsWindow(std::uint32_t Handle) override { return IsMessageWindow(Handle); }
  void SendCopyData(std::uint32_t Target, std::int32_t Code, const std::string &Block) override {
    window_.SendCopyData(Target, Code, Block);
  }

private:
  TMessageWindow window_;
};
