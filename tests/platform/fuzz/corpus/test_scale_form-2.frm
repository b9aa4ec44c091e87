object DemoForm: TForm
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
