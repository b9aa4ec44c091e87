#include "widgets/num_lab.h"

#include "platform/form_loader.h"
#include "platform/property_registry.h"

#include <gtest/gtest.h>

namespace {

TEST(NumLabForm, PublishedPropertiesLoadFromADescription) {
  RegisterNumLab();
  RegisterNumLab(); // idempotent
  const TClassInfo *cls = FindClass("TNumLab");
  ASSERT_NE(cls, nullptr);
  for (const char *name : {"Value",
                           "DisplayType",
                           "Precision",
                           "Comma",
                           "ForcePlusSign",
                           "Empty",
                           "OverflowIndicator",
                           "StateText",
                           "DTFormat",
                           "LeftText",
                           "RightText",
                           "LeftSpace",
                           "LabelWidth",
                           "Alignment",
                           "LeftTextAlignment",
                           "RightTextAlignment",
                           "FrameStyle",
                           "ColorScheme",
                           "ColorLabBakG",
                           "ColorLabText",
                           "ColorOutBakG",
                           "ColorOutText",
                           "Transparent",
                           "Enabled",
                           "OnBeforeDisplay",
                           "Font",
                           "Align",
                           "Visible"})
    EXPECT_NE(cls->FindProperty(name), nullptr) << name;

  TComponent root(nullptr);
  ReadComponentText(&root, R"(
object Root: TComponent
  object NLPeakAt: TNumLab
    LeftSpace = 190
    Width = 250
    DisplayType = dtInt
    Alignment = taRightJustify
    LabelWidth = 55
    FrameStyle = fsRaised
    ColorScheme = csSystem
    ColorLabBakG = clWhite
    LeftText = 'TK_Peak at'
    RightText = 'nm'
    Precision = 20
    Value = 3207.127
    Enabled = False
  end
end)");
  auto *lab = dynamic_cast<TNumLab *>(root.FindComponent("NLPeakAt"));
  ASSERT_NE(lab, nullptr);
  // A left space written before the width is limited only once loading ended.
  EXPECT_EQ(lab->LeftSpace(), 190);
  EXPECT_EQ(lab->Width(), 250);
  EXPECT_EQ(lab->DisplayType(), dtInt);
  EXPECT_EQ(lab->Alignment(), taRightJustify);
  EXPECT_EQ(lab->LabelWidth(), 55);
  EXPECT_EQ(lab->FrameStyle(), fsRaised);
  EXPECT_EQ(lab->ColorScheme(), csSystem);
  EXPECT_EQ(lab->ColorLabBakG(), clWhite);
  EXPECT_EQ(lab->LeftText(), "TK_Peak at");
  EXPECT_EQ(lab->Precision(), 15);
  EXPECT_FALSE(lab->Enabled());
  EXPECT_EQ(lab->ValueText(), "3207");

  TComponent other(nullptr);
  ReadComponentText(&other, R"(
object Root: TComponent
  object NL: TNumLab
    LeftSpace = 500
  end
end)");
  EXPECT_EQ(dynamic_cast<TNumLab *>(other.FindComponent("NL"))->LeftSpace(), 160);
}

} // namespace
