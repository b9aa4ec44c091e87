// The About box: its texts in both languages, the hidden home-page link,
// start-up order (the box before the main window) and the application icon
// taken from the work area or the host.
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/process_info.h"
#include "platform/shell_launcher.h"
#include "platform/streams.h"
#include "simulation/about_box.h"
#include "simulation/app_icon.h"
#include "simulation/main_window.h"
#include "widgets/url_lab.h"

#include <QGuiApplication>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;

const fs::path LangDir = fs::path(SPECTRION_SOURCE_DIR) / "data/lang";

std::string ReadFile(const fs::path &Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void LoadInto(TTolkar2000 &Translator, const std::string &Text) {
  TStringStream stream(Text);
  Translator.LoadDictionary(stream);
}

/// An About box of its own for each test.
class AboutBox : public ::testing::Test {
protected:
  AboutBox() : box(new TFrmAbout(nullptr)) {}
  ~AboutBox() override { box->Free(); }
  /// Shows and hides the box the way the program does, without a modal loop.
  void ShowOnce() {
    box->Show();
    box->Hide();
  }
  TFrmAbout *box;
  TTolkar2000 translator{"Spectrion"};
};

TEST_F(AboutBox, DescriptionGivesTheLayoutFontsAndLinks) {
  EXPECT_EQ(box->ClientWidth(), 543);
  EXPECT_EQ(box->ClientHeight(), 332);
  EXPECT_EQ(box->BorderStyle(), bsDialog);
  EXPECT_EQ(box->Position(), poScreenCenter);
  EXPECT_EQ(box->Font()->Name(), "Arial");
  EXPECT_EQ(box->LblName->Font()->Height(), -30);
  EXPECT_TRUE(box->LblName->Font()->Style().Contains(fsItalic));
  EXPECT_EQ(box->LblDescription->Font()->Color(), clMaroon);
  EXPECT_EQ(box->LblDescription->BoundsRect(), Bounds(8, 152, 529, 65));
  EXPECT_EQ(box->Panel2->BoundsRect(), Bounds(8, 224, 529, 65));
  EXPECT_EQ(box->BButOK->BoundsRect(), Bounds(424, 296, 113, 33));
  for (TUrlLab *link : {box->UrlLabZeltSuite, box->UrlLabSimulations, box->UrlLabHomepage}) {
    EXPECT_EQ(link->Font()->Name(), "Courier New") << link->Name();
    EXPECT_EQ(link->Font()->Color(), clBlue) << link->Name();
    EXPECT_EQ(link->FontActive()->Color(), clRed) << link->Name();
    EXPECT_TRUE(link->FontActive()->Style().Contains(fsUnderline)) << link->Name();
    EXPECT_EQ(link->Width(), 369) << link->Name();
  }
  EXPECT_EQ(box->UrlLabZeltSuite->Caption(), "TK_Zelt Component Suite");
  // Fixed links lead to real pages over https; the home page comes later.
  EXPECT_EQ(box->UrlLabZeltSuite->URL().rfind("https://", 0), 0u);
  EXPECT_EQ(box->UrlLabSimulations->URL().rfind("https://", 0), 0u);
  EXPECT_FALSE(box->UrlLabHomepage->Visible());
}

TEST_F(AboutBox, EnglishFileHidesTheHomePageLinkAndMovesTheOthersOnce) {
  LoadInto(translator, ReadFile(LangDir / "spectrion.itl"));
  box->UpdateTexts(translator);
  // The title shares its text with the About button, accelerator mark and all;
  // the window shows it without the mark.
  EXPECT_EQ(box->Caption(), "&About");
  EXPECT_EQ(box->Widget()->windowTitle().toStdString(), "About");
  EXPECT_EQ(box->BButOK->Caption(), "OK");
  EXPECT_EQ(box->LblName->Caption(), "Spectrion");
  EXPECT_EQ(box->LblVersion->Caption(), "Version 1.1");
  EXPECT_EQ(box->LblWebSite->Caption(),
            "More information can be found at the following Web sites:");
  EXPECT_NE(box->LblDescription->Caption().find("black-body radiation"), std::string::npos);
  EXPECT_EQ(box->UrlLabHomepage->URL(), "https://en.wikipedia.org/wiki/Planck%27s_law");
  EXPECT_EQ(box->UrlLabHomepage->Caption(), "HomePage");
  for (int showing = 0; showing < 3; ++showing) {
    box->UpdateTexts(translator);
    ShowOnce();
    EXPECT_FALSE(box->UrlLabHomepage->Visible());
    EXPECT_EQ(box->UrlLabZeltSuite->Top(), 16) << "showing " << showing;
    EXPECT_EQ(box->UrlLabSimulations->Top(), 32) << "showing " << showing;
  }
}

TEST_F(AboutBox, GermanTextsForAnyCaseOfTheLanguageName) {
  LoadInto(translator, ReadFile(LangDir / "spectrion-de.itl"));
  box->UpdateTexts(translator);
  EXPECT_EQ(box->Widget()->windowTitle().toStdString(), "Info");
  EXPECT_EQ(box->LblWebSite->Caption(), "Mehr Informationen finden Sie auf folgenden Webseiten:");
  EXPECT_NE(box->LblDescription->Caption().find("Schwarzkörperstrahlung"), std::string::npos);
  EXPECT_EQ(box->UrlLabHomepage->URL(),
            "https://de.wikipedia.org/wiki/Plancksches_Strahlungsgesetz");

  // "LgGerman" counts as German; a language file that names a home page
  // shows the link where the form put the links.
  TFrmAbout *other = new TFrmAbout(nullptr);
  TTolkar2000 mixed("Spectrion");
  LoadInto(mixed, "[$dlglanguage$]=LgGerman|$$[HomePage]=Unsere Seite|$$"
                  "[HomePageURL]=  https://example.org/x  |$$");
  other->UpdateTexts(mixed);
  other->Show();
  EXPECT_EQ(other->LblWebSite->Caption(), box->LblWebSite->Caption());
  EXPECT_TRUE(other->UrlLabHomepage->Visible());
  EXPECT_EQ(other->UrlLabHomepage->Caption(), "Unsere Seite");
  EXPECT_EQ(other->UrlLabHomepage->URL(), "https://example.org/x");
  EXPECT_EQ(other->UrlLabZeltSuite->Top(), 8);
  EXPECT_EQ(other->UrlLabSimulations->Top(), 24);
  other->Free();

  // Anything else is English.
  TFrmAbout *english = new TFrmAbout(nullptr);
  TTolkar2000 french("Spectrion");
  LoadInto(french, "[$dlglanguage$]=lgFrench|$$");
  english->UpdateTexts(french);
  EXPECT_EQ(english->LblWebSite->Caption(),
            "More information can be found at the following Web sites:");
  english->Free();
}

/// Records the addresses a link hands to the desktop.
struct TAddressRecorder : TShellLauncher {
  std::vector<std::string> *Opened;
  explicit TAddressRecorder(std::vector<std::string> *opened) : Opened(opened) {}
  bool OpenUrl(const std::string &Url) override {
    Opened->push_back(Url);
    return true;
  }
  int StartProgram(const std::string &, const std::vector<std::string> &) override { return 0; }
};

TEST_F(AboutBox, KeyboardReachesTheLinksAndEscapeClosesLikeOk) {
  LoadInto(translator, ReadFile(LangDir / "spectrion.itl"));
  box->UpdateTexts(translator);
  std::vector<std::string> opened;
  auto previous = SetShellLauncher(std::make_unique<TAddressRecorder>(&opened));
  std::vector<QWidget *> visited;
  QTimer::singleShot(0, [&] {
    box->Widget()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(box->Widget()));
    visited.push_back(QApplication::focusWidget());
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(QApplication::focusWidget());
    }
    // Enter on the first link, Space on the second open them.
    QTest::keyClick(box->UrlLabZeltSuite->Widget(), Qt::Key_Return);
    QTest::keyClick(box->UrlLabSimulations->Widget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  const TModalResult byEscape = box->ShowModal();
  SetShellLauncher(std::move(previous));
  EXPECT_FALSE(box->Visible());
  // OK first, then the two shown links (the hidden home-page link is
  // passed over), then OK again.
  const std::vector<QWidget *> order{box->BButOK->Widget(), box->UrlLabZeltSuite->Widget(),
                                     box->UrlLabSimulations->Widget(), box->BButOK->Widget()};
  EXPECT_EQ(visited, order);
  EXPECT_EQ(opened, (std::vector<std::string>{box->UrlLabZeltSuite->URL(),
                                              box->UrlLabSimulations->URL()}));
  QTimer::singleShot(0, [&] { box->BButOK->PerformClick(); });
  EXPECT_EQ(box->ShowModal(), byEscape);
}

/// A host connection whose host is played by the test.
class TTestDemon : public TkdbDemonClient {
public:
  explicit TTestDemon(const std::string &WorkArea) : TkdbDemonClient(nullptr), workArea_(WorkArea) {}
  std::string GetValue(const std::string &Name) override {
    return Name == "TavelinWorkArea" ? workArea_ : std::string();
  }
  std::unique_ptr<TMemoryStream> GetFile(const std::string &FileName) override {
    Asked.push_back(FileName);
    auto it = HostFiles.find(FileName);
    if (it == HostFiles.end()) return nullptr;
    return std::make_unique<TStringStream>(it->second);
  }
  std::map<std::string, std::string> HostFiles;
  std::vector<std::string> Asked;

private:
  std::string workArea_;
};

class AppIcon : public ::testing::Test {
protected:
  AppIcon() {
    dir = fs::temp_directory_path() / ("about-icon-" + std::to_string(getpid()));
    fs::create_directories(dir / "work");
    demon = new TTestDemon((dir / "work").string() + "/");
  }
  ~AppIcon() override {
    demon->Free();
    fs::remove_all(dir);
  }
  void Name(const std::string &Icon) {
    LoadInto(*demon->Translator(), "[AppIconName]=" + Icon + "|$$");
  }
  fs::path dir;
  TTestDemon *demon;
};

TEST_F(AppIcon, WorkAreaFileIsUsedAndTheHostsCopyReplacesIt) {
  std::ofstream(dir / "work/icon.png") << "old";
  Name("icon.png");
  demon->SetUseTavelinServer(false);
  EXPECT_EQ(ProvideAppIcon(*demon), (dir / "work/icon.png").string());
  EXPECT_TRUE(demon->Asked.empty());

  demon->SetUseTavelinServer(true);
  demon->HostFiles["icon.png"] = ""; // an empty file changes nothing
  EXPECT_EQ(ProvideAppIcon(*demon), (dir / "work/icon.png").string());
  EXPECT_EQ(ReadFile(dir / "work/icon.png"), "old");
  demon->HostFiles["icon.png"] = "new icon";
  EXPECT_EQ(ProvideAppIcon(*demon), (dir / "work/icon.png").string());
  EXPECT_EQ(ReadFile(dir / "work/icon.png"), "new icon");
  // Only the icon is left in the work area: no temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "work"), fs::directory_iterator()), 1);
}

TEST_F(AppIcon, NamesReachingOutsideTheWorkAreaMeanNoIcon) {
  demon->SetUseTavelinServer(true);
  std::ofstream(dir / "outside.png") << "keep";
  for (const char *name : {"../outside.png", "sub/../../outside.png", "..\\outside.png",
                           "/etc/hostname", "\\share\\x.png", "C:\\x.png", ".."}) {
    demon->HostFiles[name] = "evil";
    Name(name);
    EXPECT_EQ(ProvideAppIcon(*demon), "") << name;
  }
  EXPECT_TRUE(demon->Asked.empty());
  EXPECT_EQ(ReadFile(dir / "outside.png"), "keep");
  EXPECT_TRUE(IsWorkAreaFileName("icons/..x.png"));
  // No entry at all: nothing is asked or loaded.
  LoadInto(*demon->Translator(), "[Other]=x|$$");
  EXPECT_EQ(ProvideAppIcon(*demon), "");
  EXPECT_TRUE(demon->Asked.empty());
}

/// The language file beside this test program, removed again at the end.
struct LanguageFileBeside {
  fs::path Path = LanguageFileName(ProgramPath());
  explicit LanguageFileBeside(const std::string &Text) {
    std::ofstream(Path, std::ios::binary) << Text;
  }
  ~LanguageFileBeside() {
    std::error_code ignored;
    fs::remove(Path, ignored);
  }
};

TEST(StartUp, AboutBoxAppearsCentredBeforeTheMainWindowAndAgainOnTheAboutButton) {
  const fs::path iconPath = fs::path(ProgramPath()).parent_path() / "about-test-icon.png";
  {
    TBitmap icon;
    icon.SetSize(16, 16);
    icon.SaveToFile(iconPath.string());
  }
  LanguageFileBeside file("[AppIconName]=about-test-icon.png|$$[OK]=Fine|$$");
  auto *w = new TfrmExample(nullptr);
  new TFrmAbout(nullptr);
  ASSERT_NE(FrmAbout, nullptr);

  int showings = 0;
  bool mainVisibleMeanwhile = true, modal = false;
  TPoint centre{}, screenCentre{};
  auto closeWhenShown = [&] {
    QTimer::singleShot(0, [&] {
      ++showings;
      mainVisibleMeanwhile = w->Visible();
      modal = FrmAbout->Modal() && FrmAbout->Visible();
      const QPoint middle = FrmAbout->Widget()->frameGeometry().center();
      centre = Point(middle.x(), middle.y());
      const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
      screenCentre = Point(area.center().x(), area.center().y());
      FrmAbout->BButOK->PerformClick();
    });
  };
  closeWhenShown();
  w->Show(); // returns once the box is closed
  EXPECT_EQ(showings, 1);
  EXPECT_FALSE(mainVisibleMeanwhile);
  EXPECT_TRUE(modal);
  EXPECT_NEAR(centre.X, screenCentre.X, 1);
  EXPECT_NEAR(centre.Y, screenCentre.Y, 1);
  EXPECT_TRUE(w->Visible());
  EXPECT_FALSE(FrmAbout->Visible());
  EXPECT_EQ(FrmAbout->BButOK->Caption(), "Fine");
  // The three windows took the icon from the work area (the program's directory).
  EXPECT_EQ(w->Icon()->Width(), 16);
  EXPECT_EQ(FrmAbout->Icon()->Width(), 16);
  EXPECT_EQ(Application->Icon()->Width(), 16);

  closeWhenShown();
  w->BButInfo->PerformClick();
  EXPECT_EQ(showings, 2);
  EXPECT_TRUE(mainVisibleMeanwhile);
  EXPECT_FALSE(FrmAbout->Visible());

  FrmAbout->Free();
  EXPECT_EQ(FrmAbout, nullptr);
  w->Free();
  fs::remove(iconPath);
}

} // namespace
