object frmExample: TForm
  Caption = 'TK_Spectrion'
  object BAdd: TBitBtn
    Caption = 'TK_Add'
    Hint = 'TK_add a snapshot'
  end
  object CBLogScale: TCheckBox
    Caption = 'tk_Log. Scale'
    Hint = 'TK_display logarithmic scale'
  end
  object MMExplain: TMemo
    Lines.Strings = ( 'TK_MMExplain' 'plain line' )
  end
  object RCChart: TAxisHolder
    Scale1Y.Caption = 'TK_Energy Density'
  end
  object TK_LHome: TLabel
    Caption = 'TK_HomePage'
  end
end
