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
end
