object frmSmall: TfrmSmall
  Caption = 'TK_Small ' + 'form'
  ClientWidth = 300
  ClientHeight = 200
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  Constraints.MinWidth = 200
  OnCreate = FormCreate
  object pnlRight: TPanel
    Width = 120
    Align = alRight
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object CBox: TCheckBox
      Left = 12
      Top = 132
      Width = 105
      Height = 17
      Caption = 'TK_Log. Scale'
      Hint = 'TK_display logarithmic scale'
      OnClick = CBoxClick
    end
    object LTitle: TLabel
      Left = 5
      Top = 10
      Anchors = [akLeft, akBottom]
      Caption = 'It''s'#32'bold'
      Font.Style = [fsBold, fsItalic]
      Font.Color = $FF0000
      Alignment = taCenter
    end
  end
  object SBTemp: TScrollBar
    Left = 8
    Top = 29
    Width = 150
    Height = 17
    Min = 1
    Max = 10000
    Position = 1
    LargeChange = 100
    OnChange = SBTempChange
  end
  object MMExplain: TMemo
    Height = 40
    Align = alBottom
    Color = clInfoBk
    ReadOnly = True
    Lines.Strings = (
      'TK_MMExplain'
      'second line')
  end
  object Probe1: TProbe
    Level = 3
  end
  object Probe2: TProbe
  end
end
