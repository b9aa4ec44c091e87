object Form1: TForm
  object RCChart: TRChart
    Left = 8
    Top = 8
    Width = 400
    Height = 300
    AutoRedraw = False
    DataColor = clRed
    TextAlignment = taLeftJustify
    MarginLeft = 60
    BRim = 50
    Scale1X.RangeLow = 0
    Scale1X.RangeHigh = 10000
    Scale1X.Caption = 'wavelength / nm'
    Scale1Y.RangeLow = 1
    Scale1Y.RangeHigh = 1e10
    Scale1Y.Logarithmic = True
    Scale1Y.DecPlaces = 20
    CrossHair2.Mode = chBoth
    CrossHair2.Layer = 0
  end
end
