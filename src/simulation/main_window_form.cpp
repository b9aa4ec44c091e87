// The description of the main window: every control, its place, its texts
// (translation keys beginning with "TK_") and the handlers of its events.
#include "simulation/main_window.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "platform/form_loader.h"
#include "simulation/main_window_pictures.h"
#include "widgets/num_lab.h"

namespace {

// The window icon is the 48x48 program icon (data/icons/spectrion.png) as
// PNG bytes; the glyphs are resources drawn in main_window_pictures.cpp.
constexpr const char *MainWindowDescription = R"FRM(
object frmExample: TfrmExample
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = 'TK_Spectrion'
  Constraints.MinWidth = 560
  Constraints.MinHeight = 450
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  Position = poScreenCenter
  Scaled = False
  ShowHint = True
  Icon.Data = {
    89504E470D0A1A0A0000000D49484452000000300000003008060000005702F98700000195494441
    5478DAEDDA3D4B03311807F07C0A27B7103DCA51050B955AB0A2D4C1822205A58B080E22829B88B8
    E8585C0441108A885CD18A83A2488B0A578BA05FC56FE0F2C80D4A4BEF25C1CBDB99073206FEBF40
    12481E84026A60300F2A0D4453AA8566C2E812DE17A15BF83E8401C804E81AFE17C13A01BE3EF505
    78E113015009C104C84CB6213DFDA627C00BFD03B0663F9441FC1F406EE2B907804BEF4A200C406B
    005E6A494720DA0D6C003201856C2B1080571B521106E001F0E6A9348401740364206203E0ED6A32
    00A21188E60EA005E083DD640044222201C5CC0313001F6E08457001E0934A32002210DC00766D41
    08822BA07036C71DC11D503E2F727D4F425147681C80F58BA91E449C1061803D27DF878803221470
    541FF745FC05130A288DDEC60E70AEC6A0799D0E85B0A050D8EAF304B8751BDC5A0ADCE31435C60F
    84C25EA04501DA550B5EF787A1B333A43FA0B345C05D23F05221F0344FA03943E03147E07E84B001
    16ED1BE500778444FF93AD100796AD4B2D00BEBF94062003D08DD00510D82FA10380AA7345354050
    CE6FC6A7914D5010CB670000000049454E44AE426082}
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  // The memo comes first so that the panels already have their final
  // heights when their bottom-anchored controls are placed.
  object MMExplain: TMemo
    Height = 92
    Align = alBottom
    Color = clInfoBk
    ReadOnly = True
    ScrollBars = ssAutoVertical
    AccessibleName = 'TK_Explanation'
    Lines.Strings = (
      'TK_MMExplain')
  end
  object pnlCommand: TPanel
    Width = 120
    Align = alRight
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object BButExit: TBitBtn
      Left = 8
      Top = 10
      Width = 105
      Height = 29
      Caption = 'TK_Exit'
      Glyph = 'spectrion/glyph-exit.bmp'
      OnClick = BButExitClick
    end
    object BButInfo: TBitBtn
      Left = 8
      Top = 42
      Width = 105
      Height = 29
      Caption = 'TK_About'
      Glyph = 'spectrion/glyph-info.bmp'
      OnClick = BButInfoClick
    end
    object CBoxVisRange: TCheckBox
      Left = 12
      Top = 132
      Width = 105
      Height = 17
      Caption = 'TK_Visible Light'
      Hint = 'TK_show visible light region'
      Checked = False
      OnClick = CBoxVisRangeClick
    end
    object CBLogScale: TCheckBox
      Left = 12
      Top = 157
      Width = 105
      Height = 17
      Caption = 'TK_Log. Scale'
      Hint = 'TK_display logarithmic scale'
      Checked = False
      OnClick = CBLogScaleClick
    end
    object CBPeakCurve: TCheckBox
      Left = 12
      Top = 181
      Width = 105
      Height = 17
      Caption = 'TK_Peak Curve'
      Hint = 'TK_display the peak curve'
      Checked = False
      OnClick = CBPeakCurveClick
    end
    object LSnapShots: TLabel
      Left = 5
      Top = 389
      Width = 108
      Height = 20
      Anchors = [akLeft, akBottom]
      AutoSize = False
      Alignment = taCenter
      Caption = 'TK_Snapshot'
      Font.Style = [fsBold]
      Font.Height = -11
    end
    object BButAdd: TBitBtn
      Left = 8
      Top = 408
      Width = 105
      Height = 29
      Anchors = [akLeft, akBottom]
      Caption = 'TK_Add'
      Glyph = 'spectrion/glyph-add.bmp'
      OnClick = BBAddSnapShotClick
    end
    object BButClear: TBitBtn
      Left = 8
      Top = 440
      Width = 105
      Height = 29
      Anchors = [akLeft, akBottom]
      Caption = 'TK_Clear'
      Glyph = 'spectrion/glyph-clear.bmp'
      OnClick = BBSnapShotClearClick
    end
  end
  object pnlExample: TPanel
    Align = alClient
    BevelOuter = bvNone
    object PnlTrackbar: TPanel
      Width = 33
      Align = alLeft
      BevelOuter = bvNone
      object TBScaleY: TTrackBar
        Left = 8
        Top = 12
        Width = 17
        Height = 405
        Hint = 'TK_adjust range of y-axis'
        AccessibleName = 'TK_Top of energy axis'
        Orientation = trVertical
        Min = -40
        Max = 120
        Position = 40
        Frequency = 5
        TickMarks = tmTopLeft
        TickStyle = tsAuto
        OnChange = TBScaleYChange
      end
    end
    object Panel1: TPanel
      Height = 55
      Align = alBottom
      BevelOuter = bvNone
      object Label1: TLabel
        Left = 8
        Top = 8
        Caption = 'TK_Temperature'
        Font.Style = [fsBold]
        Font.Height = -13
      end
      object SBTemperature: TScrollBar
        Left = 8
        Top = 29
        Width = 457
        Height = 17
        Anchors = [akLeft, akTop, akRight]
        Kind = sbHorizontal
        Min = 1
        Max = 10000
        Position = 1
        LargeChange = 100
        AccessibleName = 'TK_Temperature'
        OnChange = SBTemperatureChange
      end
      object Panel3: TPanel
        Width = 204
        Align = alRight
        BevelOuter = bvNone
        object NLTemperature: TNumLab
          Left = 0
          Top = 3
          Width = 204
          Height = 20
          LeftText = 'TK_Temperature'
          RightText = 'K'
          DisplayType = dtInt
          Alignment = taRightJustify
          LeftTextAlignment = taRightJustify
          RightTextAlignment = taLeftJustify
          LeftSpace = 120
          LabelWidth = 55
          FrameStyle = fsLowered
          ColorScheme = csBWG
          ColorLabBakG = clWhite
          ColorLabText = clBlack
          ColorOutBakG = clBtnFace
          ColorOutText = clBlack
          Precision = 2
          Comma = False
          ForcePlusSign = False
          Empty = False
          Transparent = False
          OverflowIndicator = '*********'
          StateText = 'undefined'
          DTFormat = 'mmm-dd, yyyy'
        end
        object NLPeakAt: TNumLab
          Left = 0
          Top = 27
          Width = 204
          Height = 20
          LeftText = 'TK_Peak at'
          RightText = 'nm'
          DisplayType = dtInt
          Alignment = taRightJustify
          LeftTextAlignment = taRightJustify
          RightTextAlignment = taLeftJustify
          LeftSpace = 120
          LabelWidth = 55
          FrameStyle = fsLowered
          ColorScheme = csBWG
          ColorLabBakG = clWhite
          ColorLabText = clBlack
          ColorOutBakG = clBtnFace
          ColorOutText = clBlack
          Precision = 2
          Comma = False
          ForcePlusSign = False
          Empty = False
          Transparent = False
          OverflowIndicator = '*********'
          StateText = 'undefined'
          DTFormat = 'mmm-dd, yyyy'
        end
      end
    end
    object RCChart: TRChart
      Align = alClient
      AccessibleName = 'TK_Spectrum chart'
      AllocSize = 1000
      AutoRedraw = False
      MarginLeft = 64
      MarginRight = 12
      MarginTop = 20
      MarginBottom = 40
      GridStyle = gsNone
      // The mouse does nothing here and the cursor stays fixed: MouseAction
      // and MouseCursorFixed keep their defaults, as do the joint layers
      // (every layer follows only itself).
      CrossHair1.Mode = chOff
      CrossHair2.Mode = chOff
      CrossHair3.Mode = chOff
      CrossHair4.Mode = chOff
      ShadowStyle = ssFlying
      ShadowColor = clGrayText
      ShadowBakColor = clBtnFace
      TextAlignment = taCenter
      TextBkStyle = tbClear
      TextBkColor = clWhite
      CaptionPosX = 0
      CaptionPosY = -16
      CaptionAlignment = taRightJustify
      CaptionAnchorHoriz = cahChartRight
      CaptionAnchorVert = cavChartTop
      Scale1X.Caption = 'TK_Wavelength'
      Scale1X.CaptionPosY = 22
      Scale1X.CaptionAlignment = taCenter
      Scale1X.CaptionAnchor = uaSclCenter
      Scale1X.ScaleLocation = slBottom
      Scale1X.Logarithmic = False
      Scale1X.RangeHigh = 10000
      Scale1X.DecPlaces = -2
      Scale1X.MinTicks = 3
      Scale1X.MinRange = 1e-10
      Scale1X.ShortTicks = True
      Scale1X.LabelType = ftNum
      Scale1Y.Caption = 'TK_Energy Density'
      Scale1Y.CaptionPosY = -16
      Scale1Y.CaptionAlignment = taLeftJustify
      Scale1Y.CaptionAnchor = uaSclTopLft
      Scale1Y.ScaleLocation = slLeft
      Scale1Y.Logarithmic = False
      Scale1Y.RangeHigh = 150
      Scale1Y.DecPlaces = -2
      Scale1Y.MinTicks = 3
      Scale1Y.MinRange = 1e-10
      Scale1Y.ShortTicks = True
      Scale1Y.LabelType = ftNum
      Scale2X.Visible = False
      Scale2Y.Visible = False
      Scale3X.Visible = False
      Scale3Y.Visible = False
      Scale4X.Visible = False
      Scale4Y.Visible = False
    end
  end
  object cliDemon: TkdbDemonClient
    AutoTranslate = True
    AutoCreateItlFile = False
    MultiStart = False
    UseTavelinServer = False
    OnParamsChange = cliDemonParamsChange
  end
end
)FRM";

} // namespace

void RegisterMainWindow() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterChartClasses();
  RegisterNumLab();
  RegisterHostlinkClasses();
  RegisterMainWindowPictures();
  RegisterFormText("TfrmExample", MainWindowDescription);
}
