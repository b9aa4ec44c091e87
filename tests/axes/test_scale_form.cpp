// Four stand-alone scales read from a form description and rendered off
// screen into one picture (one per scale type: logarithmic, opaque with a
// lowered frame, transparent ...). The picture is written as a PNG for
// review; set SPECTRION_AXES_DEMO_PNG to choose where.
#include "axes/scale.h"
#include "platform/bitmap.h"
#include "platform/form.h"
#include "platform/form_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

const char *kDemoForm = R"(object DemoForm: TForm
  Left = 0
  Top = 0
  Width = 640
  Height = 460
  Caption = 'Scales'
  Color = clBtnFace
  object ScaleBottom: TScale
    Left = 100
    Top = 10
    Width = 520
    Height = 70
    Caption = 'Wavelength in nm'
    CaptionAnchor = uaSclCenter
    CaptionPosY = -50
    MarginLeft = 20
    MarginRight = 20
    MarginBottom = 12
    RangeHigh = 10000.0
    ScaleType = sctXB
  end
  object ScaleTop: TScale
    Left = 100
    Top = 90
    Width = 520
    Height = 70
    Caption = 'log'
    CaptionAnchor = uaSclBotRgt
    CaptionAlignment = taRightJustify
    CaptionPosY = 30
    ColorScheme = csSystem
    ColorScale = clNavy
    FrameStyle = fsRaised
    Logarithmic = True
    RangeLow = 1.0
    RangeHigh = 10000.0
    MinTicks = 5
    MarginTop = 12
    ScaleType = sctXT
  end
  object ScaleLeft: TScale
    Left = 10
    Top = 170
    Width = 80
    Height = 280
    Caption = 'E'
    CaptionPosX = 8
    CaptionPosY = -19
    ColorScale = clMaroon
    RangeHigh = 1.0
    ScaleType = sctYL
    Transparent = True
  end
  object ScaleRight: TScale
    Left = 540
    Top = 170
    Width = 80
    Height = 280
    FrameStyle = fsEngraved
    ColorBackGnd = clInfoBk
    RangeHigh = 150.0
    ScaleInscript = '& K'
    ScaleType = sctYR
    MarginLeft = 5
    MarginRight = 12
  end
end
)";

} // namespace

TEST(ScaleForm, FourScalesFromADescriptionRenderOffScreen) {
  RegisterAxesClasses();
  TForm form(nullptr);
  ReadComponentText(&form, kDemoForm);

  auto *bottom = dynamic_cast<TScale *>(form.FindComponent("ScaleBottom"));
  auto *top = dynamic_cast<TScale *>(form.FindComponent("ScaleTop"));
  auto *left = dynamic_cast<TScale *>(form.FindComponent("ScaleLeft"));
  auto *right = dynamic_cast<TScale *>(form.FindComponent("ScaleRight"));
  ASSERT_TRUE(bottom && top && left && right);
  // Accepted unchecked while reading, although the range was 0 .. 100 then.
  EXPECT_TRUE(top->Logarithmic());
  EXPECT_EQ(top->RangeLow(), 1);
  EXPECT_EQ(left->Parent(), &form);
  EXPECT_TRUE(left->Transparent());

  TBitmap page(form.ClientWidth(), form.ClientHeight());
  page.Canvas().Brush().SetColor(form.Color());
  page.Canvas().FillRect(Rect(0, 0, page.Width(), page.Height()));
  for (TScale *s : {bottom, top, left, right}) {
    s->SetTargetCanvas(&page.Canvas(), s->Left(), s->Top());
    s->ForcePaint();
    s->SetTargetCanvas(nullptr, 0, 0);
  }

  EXPECT_EQ(bottom->NumTicks(), 21);
  EXPECT_EQ(top->NumTicks(), 5 + 4 * 8); // decades with 2 .. 9 between
  EXPECT_EQ(top->TickPosition(1), 1);
  EXPECT_EQ(left->NumTicks(), 21);
  // Opaque scales own their rectangle; the transparent one shows the form.
  // The bottom scale's lowered frame: black and white outside, silver and
  // grey inside.
  EXPECT_EQ(page.Pixel(110, 10), clBlack);
  EXPECT_EQ(page.Pixel(110, 11), clSilver);
  EXPECT_EQ(page.Pixel(619, 79), clWhite);
  EXPECT_EQ(page.Pixel(618, 78), 0x808080u);
  EXPECT_EQ(page.Pixel(15, 175), ColorToRGB(clBtnFace));
  EXPECT_EQ(page.Pixel(10 + 20, 170 + 150), clMaroon); // transparent scale's base line

  const char *env = std::getenv("SPECTRION_AXES_DEMO_PNG");
  const std::filesystem::path out =
      env ? std::filesystem::path(env) : std::filesystem::temp_directory_path() / "axes-demo.png";
  page.SaveToFile(out.string());
  EXPECT_TRUE(std::filesystem::exists(out));
}
