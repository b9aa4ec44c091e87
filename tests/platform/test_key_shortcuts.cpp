// Window shortcuts and the save dialog's name rule: key texts are
// normalised and checked, a real key press anywhere in the window runs its
// command, a keyboard request for a context menu runs the "Menu" binding
// whichever control has the focus, and an exception in a command is shown,
// not thrown.
#include "platform/controls_standard.h"
#include "platform/file_dialog.h"
#include "platform/form.h"
#include "platform/key_shortcuts.h"
#include "platform/message_box.h"

#include "helper_window.h"
#include <gtest/gtest.h>

namespace {

TEST(KeyShortcuts, TextsAreNormalisedAndBindingsChecked) {
  EXPECT_EQ(NormalisedKeys("ctrl+shift+f"), "Ctrl+Shift+F");
  EXPECT_EQ(NormalisedKeys("Ctrl++"), "Ctrl++");
  EXPECT_EQ(NormalisedKeys("Menu"), "Menu");
  EXPECT_EQ(NormalisedKeys(""), "");
  EXPECT_EQ(NormalisedKeys("Ctrl+F, Ctrl+G"), ""); // two presses are not one combination
  EXPECT_EQ(NormalisedKeys("Hyper+Q"), "");

  TForm form(nullptr);
  TKeyShortcuts keys(form);
  int runs = 0;
  keys.Add("ctrl+f", [&] { ++runs; });
  EXPECT_THROW(keys.Add("Ctrl+F", [] {}), Exception);
  EXPECT_THROW(keys.Add("no such key", [] {}), Exception);
  EXPECT_EQ(keys.Keys(), std::vector<std::string>{"Ctrl+F"});
  EXPECT_TRUE(keys.Activate("CTRL+F"));
  EXPECT_FALSE(keys.Activate("Ctrl+G"));
  EXPECT_EQ(runs, 1);
}

TEST(KeyShortcuts, KeysReachTheWindowWhereverTheFocusIs) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 10, 200, 100);
  memo->SetReadOnly(true);
  TKeyShortcuts keys(form);
  int fits = 0, menus = 0;
  keys.Add("Ctrl+F", [&] { ++fits; });
  keys.Add("Menu", [&] { ++menus; });
  keys.Add("Ctrl+S", [] { throw Exception("disk full"); });
  ASSERT_TRUE(ShowActive(form));
  memo->SetFocus();
  ProcessPendingEvents();

  SendKeyClick(*memo, 'F', {ssCtrl});
  EXPECT_EQ(fits, 1);
  // The focused text box would show its own menu; the window's runs instead.
  RequestContextMenu(*memo, true);
  EXPECT_EQ(menus, 1);
  // A right click is the control's own business.
  RequestContextMenu(*memo, false);
  EXPECT_EQ(menus, 1);

  TMessageBoxRecorder boxes;
  SendKeyClick(*memo, 'S', {ssCtrl});
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_NE(boxes.Messages[0].Text.find("disk full"), std::string::npos);
}

TEST(SaveDialog, NamesWithoutExtensionGetTheDefaultOne) {
  EXPECT_EQ(WithDefaultExtension("/tmp/sun", "png"), "/tmp/sun.png");
  EXPECT_EQ(WithDefaultExtension("/tmp/sun.csv", "png"), "/tmp/sun.csv");
  EXPECT_EQ(WithDefaultExtension("/tmp/dir.d/sun", "csv"), "/tmp/dir.d/sun.csv");
  EXPECT_EQ(WithDefaultExtension("/tmp/sun", ""), "/tmp/sun");
  EXPECT_EQ(WithDefaultExtension("", "png"), "");
}

} // namespace
