// Texts that come from language files and hosts reach the window system as
// plain text: markup in a hint, a message or a window caption is shown as
// written, and no picture it names is ever loaded.
#include "helper_window.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#if !defined(_WIN32)
#include "platform/qt/control_qt.h"
#include "platform/qt/message_box_qt.h"

#include <QTextDocument>
#include <QUrl>
#include <QVariant>
#include <QWindow>
#endif
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kMarkup = "<img src=\"/dev/zero\"> & <b>bold</b> <a href=\"file:///\">x</a>";

#if defined(_WIN32)

// Windows tooltips and titles take text as it is; what matters is that it
// arrives whole, blanks and line breaks included.
TEST(PlainTexts, HintsAndWindowCaptionsReachTheSystemAsWritten) {
  TForm form(nullptr);
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetShowHint(true);
  box->SetHint(kMarkup);
  EXPECT_EQ(ShownHint(*box), kMarkup);
  box->SetHint("two  blanks\r\nnext line <br> end");
  std::string shown = ShownHint(*box);
  std::erase(shown, '\r');
  EXPECT_EQ(shown, "two  blanks\nnext line <br> end");
  box->SetHint("");
  EXPECT_TRUE(ShownHint(*box).empty()); // no empty tooltip box

  form.SetCaption("Spectrion [*] <b>[*][*]</b>");
  EXPECT_EQ(WindowTitle(form), "Spectrion [*] <b>[*][*]</b>");
}

#else

// Lays a tooltip out the way Qt's tooltip label does (rich text when it looks
// like markup) and records every resource the layout asks for, loading none.
class TTipProbe : public QTextDocument {
public:
  explicit TTipProbe(const QString &Tip) {
    if (Qt::mightBeRichText(Tip))
      setHtml(Tip);
    else
      setPlainText(Tip);
    setTextWidth(400);
    (void)size(); // the layout is where pictures are loaded
  }
  std::vector<QUrl> Requested;

protected:
  QVariant loadResource(int, const QUrl &Name) override {
    Requested.push_back(Name);
    return {};
  }
};

TEST(PlainTexts, HintsShowAsWrittenAndLoadNothing) {
  TForm form(nullptr);
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetShowHint(true);
  box->SetHint(kMarkup);
  {
    TTipProbe tip(box->Widget()->toolTip());
    EXPECT_TRUE(tip.Requested.empty()) << tip.Requested.front().toString().toStdString();
    EXPECT_EQ(tip.toPlainText().toStdString(), kMarkup);
  }
  // Blanks and line breaks (a "\n" of the language file is CR LF) stay too.
  box->SetHint("two  blanks\r\nnext line <br> end");
  EXPECT_EQ(TTipProbe(box->Widget()->toolTip()).toPlainText().toStdString(),
            "two  blanks\nnext line <br> end");
  box->SetHint("");
  EXPECT_TRUE(box->Widget()->toolTip().isEmpty()); // no empty tooltip box
}

TEST(PlainTexts, MessageBoxesAndWindowCaptionsShowAsWritten) {
  const auto msg = NewMessageBox({kMarkup, "Spectrion", mtError});
  EXPECT_EQ(msg->textFormat(), Qt::PlainText);
  EXPECT_EQ(msg->text().toStdString(), kMarkup);
  EXPECT_EQ(msg->windowTitle().toStdString(), "Spectrion");

  TForm form(nullptr);
  form.SetCaption("Spectrion [*] <b>[*][*]</b>");
  (void)form.Widget()->winId(); // the title the window system gets
  ASSERT_NE(form.Widget()->windowHandle(), nullptr);
  EXPECT_EQ(form.Widget()->windowHandle()->title().toStdString(), "Spectrion [*] <b>[*][*]</b>");
}

#endif

} // namespace
