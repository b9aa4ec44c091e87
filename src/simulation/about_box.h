#pragma once
// TFrmAbout: the About box. It names the program and its version, says in
// English or German what the program is, and carries up to three links. The
// main window fills in its texts and shows it modally at start-up and on the
// About button.
#include "platform/controls_standard.h"
#include "platform/form.h"

#include <string>

class TTolkar2000;
class TUrlLab;

class TFrmAbout : public TForm {
public:
  /// Reads the box from its description.
  explicit TFrmAbout(TComponent *AOwner);
  ~TFrmAbout() override;

  TLabel *LblDescription = nullptr;
  TPanel *Panel1 = nullptr;
  TLabel *LblName = nullptr;
  TLabel *LblVersion = nullptr;
  TLabel *LblAuthor = nullptr;
  TLabel *LblCopyright = nullptr;
  TPanel *Panel2 = nullptr;
  TLabel *LblWebSite = nullptr;
  TUrlLab *UrlLabZeltSuite = nullptr;
  TUrlLab *UrlLabSimulations = nullptr;
  TUrlLab *UrlLabHomepage = nullptr;
  TBitBtn *BButOK = nullptr;

  /// Shows the home-page link only when the language file named it; without
  /// it the two other links move 8 pixels down to close the gap (once, and
  /// back when the link returns).
  void FormShow(TObject *Sender);
  void BButOKClick(TObject *Sender);

  /// Sets the name, version and home-page address, translates the box and
  /// then sets the language's own description texts: German when the
  /// language file's "$dlglanguage$" is "lggerman" in any case, else English.
  void UpdateTexts(TTolkar2000 &Translator);

private:
  bool linksMoved_ = false;
};

/// The program's About box, created at start-up after the main window; null
/// while there is none.
extern TFrmAbout *FrmAbout;

/// Registers the box's description, its pictures and its classes (idempotent).
void RegisterAboutBox();
