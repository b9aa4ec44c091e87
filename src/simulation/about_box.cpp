// The About box's handlers and its language-dependent texts.
#include "simulation/about_box.h"

#include "localisation/tolkar2000.h"
#include "platform/property_registry.h"
#include "support/string_utils.h"
#include "widgets/url_lab.h"

TFrmAbout *FrmAbout = nullptr;

namespace {

constexpr const char *ProgramName = "Spectrion";
constexpr const char *VersionText = "Version 1.1";
/// How far the two fixed links move down when the home-page link is hidden.
constexpr int HiddenLinkShift = 8;

constexpr const char *WebSiteEnglish = "More information can be found at the following Web sites:";
constexpr const char *WebSiteGerman = "Mehr Informationen finden Sie auf folgenden Webseiten:";
constexpr const char *DescriptionEnglish =
    "This program calculates (simulates) the spectral energy density of black-body radiation. "
    "It is one of the Spectrion simulations used in various electronic textbooks and is built "
    "on the component suite \"Zelt\".";
constexpr const char *DescriptionGerman =
    "Dieses Programm berechnet (simuliert) die spektrale Energiedichte der "
    "Schwarzkörperstrahlung. Es ist eine der Spectrion-Simulationen, die in verschiedenen "
    "elektronischen Lehrbüchern eingesetzt werden, und beruht auf der Komponentensammlung "
    "\"Zelt\".";

/// The dictionary's text for Key, or Default when it has none (a missing key
/// translates to itself).
std::string TextOrDefault(TTolkar2000 &Translator, const std::string &Key, const char *Default) {
  const std::string text = Translator.Translate(Key);
  return text == Key ? std::string(Default) : text;
}

void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TFrmAbout, TForm>("TFrmAbout");
}

} // namespace

TFrmAbout::TFrmAbout(TComponent *AOwner) : TForm(AOwner) {
  RegisterAboutBox();
  RegisterFormClass();
  Handler("FormShow", &TFrmAbout::FormShow);
  Handler("BButOKClick", &TFrmAbout::BButOKClick);
  Field("LblDescription", LblDescription);
  Field("Panel1", Panel1);
  Field("LblName", LblName);
  Field("LblVersion", LblVersion);
  Field("LblAuthor", LblAuthor);
  Field("LblCopyright", LblCopyright);
  Field("Panel2", Panel2);
  Field("LblWebSite", LblWebSite);
  Field("UrlLabZeltSuite", UrlLabZeltSuite);
  Field("UrlLabSimulations", UrlLabSimulations);
  Field("UrlLabHomepage", UrlLabHomepage);
  Field("BButOK", BButOK);
  InitializeForm("TFrmAbout");
  if (!FrmAbout) FrmAbout = this;
}

TFrmAbout::~TFrmAbout() {
  if (FrmAbout == this) FrmAbout = nullptr;
}

void TFrmAbout::FormShow(TObject * /*Sender*/) {
  // The form translation leaves "TK_HomePage" as "HomePage" when the
  // language file has no text for it: there is no home page to link to.
  const bool hide = UrlLabHomepage->Caption() == "HomePage";
  UrlLabHomepage->SetVisible(!hide);
  if (hide != linksMoved_) {
    const int shift = hide ? HiddenLinkShift : -HiddenLinkShift;
    UrlLabZeltSuite->SetTop(UrlLabZeltSuite->Top() + shift);
    UrlLabSimulations->SetTop(UrlLabSimulations->Top() + shift);
    linksMoved_ = hide;
  }
}

void TFrmAbout::BButOKClick(TObject * /*Sender*/) {
  Close();
}

void TFrmAbout::UpdateTexts(TTolkar2000 &Translator) {
  LblName->SetCaption(ProgramName);
  LblVersion->SetCaption(VersionText);
  UrlLabHomepage->SetURL(Translator.Translate("HomePageURL"));
  const std::string language = LowerAscii(Translator.Translate("$dlglanguage$"));
  Translator.TranslateComponent(this);
  // Set after the translation, so these texts are never taken for keys. The
  // language file's own texts come first; a file without them gets the
  // built-in ones of its language.
  const bool german = language == "lggerman";
  LblWebSite->SetCaption(
      TextOrDefault(Translator, "AboutWebSites", german ? WebSiteGerman : WebSiteEnglish));
  LblDescription->SetCaption(TextOrDefault(Translator, "AboutDescription",
                                           german ? DescriptionGerman : DescriptionEnglish));
}
