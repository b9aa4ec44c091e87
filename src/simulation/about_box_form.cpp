// The description of the About box: its panels, labels, links and button.
// The links' addresses are public pages a student of the subject can use.
#include "simulation/about_box.h"

#include "platform/form_loader.h"
#include "simulation/main_window_pictures.h"
#include "widgets/url_lab.h"

namespace {

constexpr const char *AboutBoxDescription = R"FRM(
object FrmAbout: TFrmAbout
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'TK_About'
  ClientWidth = 543
  ClientHeight = 332
  Position = poScreenCenter
  Scaled = False
  Font.Name = 'Arial'
  Font.Height = -13
  Font.Color = clBlack
  OnShow = FormShow
  object LblDescription: TLabel
    Left = 8
    Top = 152
    Width = 529
    Height = 65
    AutoSize = False
    Alignment = taCenter
    WordWrap = True
    Font.Color = clMaroon
  end
  object Panel1: TPanel
    Left = 8
    Top = 10
    Width = 529
    Height = 127
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object LblName: TLabel
      Left = 8
      Top = 12
      Width = 513
      Height = 34
      AutoSize = False
      Alignment = taCenter
      Font.Name = 'Arial'
      Font.Height = -30
      Font.Style = [fsBold, fsItalic]
      Font.Color = clMaroon
    end
    object LblVersion: TLabel
      Left = 8
      Top = 50
      Width = 513
      Height = 16
      AutoSize = False
      Alignment = taCenter
    end
    object LblAuthor: TLabel
      Left = 8
      Top = 74
      Width = 513
      Height = 16
      AutoSize = False
      Alignment = taCenter
    end
    object LblCopyright: TLabel
      Left = 8
      Top = 100
      Width = 513
      Height = 16
      AutoSize = False
      Alignment = taCenter
      Caption = 'TK_Copyright'
    end
  end
  object Panel2: TPanel
    Left = 8
    Top = 224
    Width = 529
    Height = 65
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object LblWebSite: TLabel
      Left = 8
      Top = 8
      Width = 135
      Height = 49
      AutoSize = False
      Alignment = taRightJustify
      WordWrap = True
    end
    object UrlLabZeltSuite: TUrlLab
      Left = 152
      Top = 8
      Width = 369
      Height = 16
      AutoSize = False
      Caption = 'TK_Zelt Component Suite'
      OpenFailedText = 'TK_Cannot open address'
      URL = 'https://doc.qt.io/qt-6/'
      Font.Name = 'Courier New'
      Font.Height = -13
      Font.Style = [fsBold]
      Font.Color = clBlue
      FontActive.Name = 'Courier New'
      FontActive.Height = -13
      FontActive.Style = [fsBold, fsUnderline]
      FontActive.Color = clRed
    end
    object UrlLabSimulations: TUrlLab
      Left = 152
      Top = 24
      Width = 369
      Height = 16
      AutoSize = False
      Caption = 'TK_Black-body radiation'
      OpenFailedText = 'TK_Cannot open address'
      URL = 'https://en.wikipedia.org/wiki/Black-body_radiation'
      Font.Name = 'Courier New'
      Font.Height = -13
      Font.Style = [fsBold]
      Font.Color = clBlue
      FontActive.Name = 'Courier New'
      FontActive.Height = -13
      FontActive.Style = [fsBold, fsUnderline]
      FontActive.Color = clRed
    end
    object UrlLabHomepage: TUrlLab
      Left = 152
      Top = 40
      Width = 369
      Height = 16
      AutoSize = False
      Caption = 'TK_HomePage'
      OpenFailedText = 'TK_Cannot open address'
      Visible = False
      Font.Name = 'Courier New'
      Font.Height = -13
      Font.Style = [fsBold]
      Font.Color = clBlue
      FontActive.Name = 'Courier New'
      FontActive.Height = -13
      FontActive.Style = [fsBold, fsUnderline]
      FontActive.Color = clRed
    end
  end
  object BButOK: TBitBtn
    Left = 424
    Top = 296
    Width = 113
    Height = 33
    Caption = 'TK_OK'
    Glyph = 'spectrion/glyph-ok.bmp'
    OnClick = BButOKClick
  end
end
)FRM";

} // namespace

void RegisterAboutBox() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterUrlLab();
  RegisterMainWindowPictures();
  RegisterFormText("TFrmAbout", AboutBoxDescription);
}
