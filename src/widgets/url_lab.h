#pragma once
// TUrlLab: a label that works as a hyperlink. A click opens its URL in the
// desktop's web browser or starts the program file it names; while the mouse
// pointer is over an enabled label the label shows FontActive instead of its
// normal font. The caption is drawn as it is ("&" included). Tab reaches the
// link like a button, and Enter or Space open it.
#include "platform/controls_standard.h"
#include "platform/graphics.h"

#include <string>

class TUrlLab : public TLabel {
public:
  /// Empty URL and TaskParams; FontActive and the normal font start as copies
  /// of the current Font, so a label made in code also has a font to return to.
  explicit TUrlLab(TComponent *AOwner);

  /// The address or program path, stored without leading and trailing blanks.
  const std::string &URL() const { return url_; }
  void SetURL(const std::string &Value);
  /// Parameters for a program URL, stored without leading and trailing blanks.
  const std::string &TaskParams() const { return taskParams_; }
  void SetTaskParams(const std::string &Value);
  /// The font shown while the pointer is over the label.
  TFont *FontActive() { return &fontActive_; }
  void SetFontActive(const TFont *Value);

  /// The message shown above the address when no browser could be asked to
  /// open it (a translation key in a form description).
  const std::string &OpenFailedText() const { return openFailedText_; }
  void SetOpenFailedText(const std::string &Value) { openFailedText_ = Value; }

  /// The font restored when the pointer leaves: Font as the form loaded it.
  const TFont &NormalFont() const { return normalFont_; }

  /// An empty URL only raises OnClick. An "http://" or "https://" address
  /// (any case) opens in the browser under the application-start cursor,
  /// then OnClick; when there is no browser to open it, EZeltURLLabError
  /// with OpenFailedText and the address, without OnClick. A path ending in ".exe" (any case) starts that program
  /// with TaskParams, then OnClick. Anything else, and a program that cannot
  /// be started, raises EZeltURLLabError without OnClick.
  void Click() override;
  /// A link named by its caption and described by its URL.
  void DescribeAccessible(TAccessibleInfo &Info) const override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Loaded() override;

private:
  void RepaintIfVisible();
  void OpenWebAddress();
  void StartProgram();
  std::string url_;
  std::string taskParams_;
  std::string openFailedText_ = "The address could not be opened. Is a web browser installed?";
  TFont fontActive_;
  TFont normalFont_;
};

/// Registers TUrlLab with the class registry (idempotent).
void RegisterUrlLab();
