// The display widgets for screen readers: a read-out reads as one text with
// the value as shown, a hyperlink label as a link to its address.
#include "platform/form.h"
#include "widgets/num_lab.h"
#include "widgets/url_lab.h"
#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(WidgetsAccessible, AReadOutReadsLeftTextValueAndRightTextAsOne) {
  TForm form(nullptr);
  auto *n = new TNumLab(&form);
  n->SetParent(&form);
  n->SetLeftText("Peak at");
  n->SetRightText("nm");
  n->SetDisplayType(dtInt);
  n->SetLabelWidth(20); // too narrow: the box shows the overflow indicator
  n->SetValue(3207.127);
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(n->Widget());
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::StaticText);
  EXPECT_EQ(iface->text(QAccessible::Name), "Peak at 3207 nm");
  // What OnBeforeDisplay shows is what is read.
  n->OnBeforeDisplay = [](TObject *, std::string &Text) { Text = "~" + Text; };
  EXPECT_EQ(iface->text(QAccessible::Name), "Peak at ~3207 nm");
  n->SetEmpty(true);
  EXPECT_EQ(iface->text(QAccessible::Name), "Peak at nm");
  n->SetLeftText("");
  n->SetRightText("");
  TAccessibleInfo info;
  n->DescribeAccessible(info);
  EXPECT_TRUE(info.Silent);
}

TEST(WidgetsAccessible, AHyperlinkLabelIsALinkThatPressesLikeAClick) {
  TForm form(nullptr);
  auto *link = new TUrlLab(&form);
  link->SetParent(&form);
  link->SetCaption("Tom & Jerry");
  int clicks = 0;
  link->OnClick = [&](TObject *) { ++clicks; };
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(link->Widget());
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::Link);
  // The caption is read as drawn: "&" is not an accelerator mark here.
  EXPECT_EQ(iface->text(QAccessible::Name), "Tom & Jerry");
  link->SetURL("  https://example.org/  ");
  EXPECT_EQ(iface->text(QAccessible::Description), "https://example.org/");
  ASSERT_TRUE(iface->actionInterface());
  link->SetURL(""); // an empty address only raises OnClick
  iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
  link->SetEnabled(false);
  iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

} // namespace
