object F: TForm
  object Plot: TPlotter
    Scale = -1.5e-10
    Code = $7FFFFFFF
    Text = 'a'#39'b'#228 +
      ' c' // a comment
    Target = Later
    Points = <
      item
        X = 2
        Label = 'first'
      end
      item
        X = 0.25
      end>
  end
  object Later: TPanel
  end
end
