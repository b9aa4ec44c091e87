object frmDemo: TForm
  Caption = 'Demonstration'
  ClientWidth = 420
  ClientHeight = 260
  Font.Name = 'MS Sans Serif'
  Font.Height = -13
  ShowHint = True
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
      Caption = 'Exit'
    end
    object CBLogScale: TCheckBox
      Left = 12
      Top = 50
      Width = 105
      Height = 17
      Caption = 'Log. Scale'
      Checked = True
    end
    object LSnap: TLabel
      Left = 5
      Top = 80
      Width = 108
      Height = 20
      AutoSize = False
      Alignment = taCenter
      Caption = 'Snapshot'
      Font.Style = [fsBold]
      Font.Height = -11
    end
  end
  object PnlTrackbar: TPanel
    Width = 33
    Align = alLeft
    BevelOuter = bvNone
    object TBScaleY: TTrackBar
      Left = 8
      Top = 12
      Width = 17
      Height = 140
      Orientation = trVertical
      Min = -40
      Max = 80
      Position = 22
      Frequency = 5
      TickMarks = tmTopLeft
    end
  end
  object Panel1: TPanel
    Height = 55
    Align = alBottom
    BevelOuter = bvNone
    object Label1: TLabel
      Left = 8
      Top = 8
      Caption = 'Temperature'
      Font.Style = [fsBold]
    end
    object SBTemperature: TScrollBar
      Left = 8
      Top = 29
      Width = 250
      Height = 17
      Anchors = [akLeft, akTop, akRight]
      Min = 80
      Max = 10000
      Position = 898
    end
  end
  object MMExplain: TMemo
    Height = 50
    Align = alBottom
    Color = clInfoBk
    ReadOnly = True
    Lines.Strings = (
      'A memo on an info-coloured background.')
  end
end
